#pragma once

#include <QString>

// Starts the outside programs and tools of the menu 更多. Each item carries its
// Windows command; a platform starts that command or its own counterpart, does
// not wait for it and reports nothing when there is none.
class ProgramLauncher {
public:
    enum class Window { Normal, Maximised };

    virtual ~ProgramLauncher() = default;
    // True when something was started.
    virtual bool run(const QString& windowsCommand, Window window) = 0;
};
