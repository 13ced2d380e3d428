#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers a modal window from inside its own event loop: runs the action on the
// next modal window that opens, then lets the window's exec() return.
// Tests call cancelPendingModals() in cleanup, so an answer that found no
// window never reaches into the next test.
inline QObject& pendingModals()
{
    static QObject holder;
    return holder;
}

inline void onNextModal(const std::function<void(QWidget*)>& action)
{
    QWidget* before = QApplication::activeModalWidget();
    auto* timer = new QTimer(&pendingModals());
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, before, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == before) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

inline void cancelPendingModals()
{
    qDeleteAll(pendingModals().findChildren<QTimer*>());
}
