#pragma once

#include <QIcon>

// The two 16 x 16 tray images: the normal one first, then the alarm one that
// alternates with it while an alarm rings.
class TrayImages {
public:
    static QIcon image(int index);
    static QIcon windowIcon();
};
