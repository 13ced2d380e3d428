#include "platform/linux/QtScreenGrab.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

QImage QtScreenGrab::grab(const QRect& area)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || area.isEmpty()) {
        return {};
    }
    const QPixmap pixmap = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return pixmap.toImage();
}
