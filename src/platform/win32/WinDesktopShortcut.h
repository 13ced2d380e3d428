#pragma once

#include "platform/DesktopShortcut.h"

// A shell link (.lnk) in the desktop folder the shell reports.
class WinDesktopShortcut : public DesktopShortcut {
public:
    bool make(const QString& title, const QString& executable, const QString& workingFolder) override;
};
