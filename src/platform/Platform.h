#pragma once

#include <memory>

class AutoStart;
class DesktopShortcut;
class ProgramLauncher;

// The operating-system services the shell uses, replaceable for tests and for
// other platforms.
class Platform {
public:
    static AutoStart& autoStart();
    static DesktopShortcut& desktopShortcut();
    static ProgramLauncher& launcher();

    // Nullptr restores the default service.
    static void setAutoStart(std::unique_ptr<AutoStart> service);
    static void setDesktopShortcut(std::unique_ptr<DesktopShortcut> service);
    static void setLauncher(std::unique_ptr<ProgramLauncher> service);
};
