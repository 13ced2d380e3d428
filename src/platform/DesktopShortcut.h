#pragma once

#include <QString>

// The program's launcher on the user's desktop.
class DesktopShortcut {
public:
    virtual ~DesktopShortcut() = default;

    // Makes (or replaces) the launcher named after the program title, starting
    // the executable with the program folder as its working folder. Returns
    // false when the file could not be saved.
    virtual bool make(const QString& title, const QString& executable, const QString& workingFolder) = 0;
};
