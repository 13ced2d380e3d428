#pragma once

#include <QImage>
#include <QRect>

// Takes a picture of an area of the primary screen.
class ScreenGrab {
public:
    virtual ~ScreenGrab() = default;

    // A null image where the display refuses (a Wayland session without the
    // permission, no screen at all).
    virtual QImage grab(const QRect& area) = 0;
};
