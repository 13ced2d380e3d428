#pragma once

#include <functional>
#include <memory>

class AutoStart;
class DesktopNotifier;
class DesktopShortcut;
class ProgramLauncher;
class ScreenGrab;
class ScriptStarter;
class QObject;
class SessionEnd;
class SoundPlayer;

// The operating-system services the program uses, replaceable for tests. The
// one place that picks this system's implementations.
class Platform {
public:
    static AutoStart& autoStart();
    static DesktopShortcut& desktopShortcut();
    static ProgramLauncher& launcher();
    static DesktopNotifier& notifier();
    static ScreenGrab& screenGrab();
    static ScriptStarter& scriptStarter();

    // Nullptr restores the default service.
    static void setAutoStart(std::unique_ptr<AutoStart> service);
    static void setDesktopShortcut(std::unique_ptr<DesktopShortcut> service);
    static void setLauncher(std::unique_ptr<ProgramLauncher> service);
    static void setNotifier(std::unique_ptr<DesktopNotifier> service);
    static void setScreenGrab(std::unique_ptr<ScreenGrab> service);
    static void setScriptStarter(std::unique_ptr<ScriptStarter> service);

    // Whether the desktop offers a notification area for the tray icon now; a
    // panel can go away and come back while the program runs.
    static bool hasNotificationArea();
    // Nullptr restores the desktop's own answer.
    static void setNotificationArea(std::function<bool()> probe);

    // Services that live as long as a window or the program: owned by parent.
    static SoundPlayer* createSoundPlayer(QObject* parent);
    static SessionEnd* createSessionEnd(QObject* parent);
};
