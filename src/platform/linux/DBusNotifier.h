#pragma once

#include "platform/DesktopNotifier.h"

// Notifications through the desktop's org.freedesktop.Notifications service
// on the session bus; where no such service runs, nothing is shown and
// nothing is said.
class DBusNotifier : public DesktopNotifier {
public:
    void notify(const QString& title, const QString& body) override;
};
