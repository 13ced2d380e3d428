#pragma once

#include <QImage>

// Takes a picture of the primary screen, from its top-left corner.
class ScreenGrab {
public:
    virtual ~ScreenGrab() = default;

    // A null image where the display refuses (a Wayland session without the
    // permission, no screen at all).
    virtual QImage grabPrimaryScreen() = 0;
};
