#include "forms/BalloonHints.h"

#include "forms/FontMapper.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QScreen>

namespace {
const char* const kShowHintsProperty = "pelShowHints";
}

BalloonHints::BalloonHints(QObject* parent)
    : QObject(parent)
{
    m_balloon = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    m_balloon->setObjectName(QStringLiteral("BalloonHint"));
    m_balloon->setWordWrap(true);
    m_balloon->setFont(FontMapper::font(FontMapper::kai(), 19, true));
    m_balloon->setMargin(6);
    m_balloon->setStyleSheet(QStringLiteral("QLabel#BalloonHint { background: #ffffe1; color: black; border: "
                                            "1px solid #767676; border-radius: 8px; }"));
    connect(qApp, &QObject::destroyed, m_balloon, [this] { delete m_balloon; });
}

BalloonHints* BalloonHints::install()
{
    auto* hints = new BalloonHints(qApp);
    qApp->installEventFilter(hints);
    return hints;
}

void BalloonHints::setHintsShown(QWidget* container, bool shown)
{
    container->setProperty(kShowHintsProperty, shown);
}

bool BalloonHints::isHintShown(const QWidget* widget)
{
    if (!widget || widget->toolTip().isEmpty()) {
        return false;
    }
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant shown = w->property(kShowHintsProperty);
        if (shown.isValid() && !shown.toBool()) {
            return false;
        }
    }
    return true;
}

bool BalloonHints::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) {
            break;
        }
        if (isHintShown(widget)) {
            showFor(widget, static_cast<QHelpEvent*>(event)->globalPos());
        } else {
            hideBalloon();
        }
        // The balloon replaces the platform tooltip.
        return true;
    }
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
        if (watched == m_owner) {
            hideBalloon();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void BalloonHints::showFor(QWidget* widget, const QPoint& globalPos)
{
    m_owner = widget;
    m_balloon->setText(widget->toolTip());
    m_balloon->setFixedWidth(kWrapWidth);
    m_balloon->adjustSize();
    m_balloon->setFixedHeight(m_balloon->heightForWidth(kWrapWidth));
    QPoint pos = globalPos + QPoint(12, 18);
    if (const QScreen* screen = widget->screen()) {
        const QRect area = screen->availableGeometry();
        pos.setX(qMin(pos.x(), area.right() - m_balloon->width()));
        if (pos.y() + m_balloon->height() > area.bottom()) {
            pos.setY(globalPos.y() - m_balloon->height() - 8);
        }
    }
    m_balloon->move(pos);
    m_balloon->show();
    m_balloon->raise();
}

void BalloonHints::hideBalloon()
{
    m_balloon->hide();
    m_owner = nullptr;
}
