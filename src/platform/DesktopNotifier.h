#pragma once

#include <QString>

// A notification in the desktop's own notification area, where the desktop
// has one; nothing happens where it has none.
class DesktopNotifier {
public:
    virtual ~DesktopNotifier() = default;

    virtual void notify(const QString& title, const QString& body) = 0;
};
