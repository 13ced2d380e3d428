#pragma once

#include "platform/ScreenGrab.h"

// The screen through Qt's platform plugin: the X server's root window, or
// whatever the display allows.
class QtScreenGrab : public ScreenGrab {
public:
    QImage grab(const QRect& area) override;
};
