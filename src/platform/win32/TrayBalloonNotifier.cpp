#include "platform/win32/TrayBalloonNotifier.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {
constexpr int kShownMs = 15000;
}

TrayBalloonNotifier::TrayBalloonNotifier() = default;

TrayBalloonNotifier::~TrayBalloonNotifier() = default;

void TrayBalloonNotifier::notify(const QString& title, const QString& body)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
        QSystemTrayIcon* icon = m_icon.get();
        QObject::connect(icon, &QSystemTrayIcon::messageClicked, icon, &QSystemTrayIcon::hide);
    }
    m_icon->show();
    m_icon->showMessage(title, body, QSystemTrayIcon::Information, kShownMs);
    QSystemTrayIcon* icon = m_icon.get();
    QTimer::singleShot(kShownMs, icon, &QSystemTrayIcon::hide);
}
