#include "platform/Platform.h"

#include <QSystemTrayIcon>

#ifdef _WIN32
// Qt's own screen and sound services serve Windows as they serve Linux.
#include "platform/linux/MediaSoundPlayer.h"
#include "platform/linux/QtScreenGrab.h"
#include "platform/win32/CommitDataSessionEnd.h"
#include "platform/win32/TrayBalloonNotifier.h"
#include "platform/win32/WinAutoStart.h"
#include "platform/win32/WinDesktopShortcut.h"
#include "platform/win32/WinProgramLauncher.h"
#include "platform/win32/WinScriptStarter.h"

using DefaultAutoStart = WinAutoStart;
using DefaultDesktopShortcut = WinDesktopShortcut;
using DefaultLauncher = WinProgramLauncher;
using DefaultNotifier = TrayBalloonNotifier;
using DefaultScreenGrab = QtScreenGrab;
using DefaultScriptStarter = WinScriptStarter;
using DefaultSoundPlayer = MediaSoundPlayer;
using DefaultSessionEnd = CommitDataSessionEnd;
#else
#include "platform/linux/DBusNotifier.h"
#include "platform/linux/LinuxProgramLauncher.h"
#include "platform/linux/MediaSoundPlayer.h"
#include "platform/linux/QtScreenGrab.h"
#include "platform/linux/TerminalScriptStarter.h"
#include "platform/linux/TerminationWatcher.h"
#include "platform/linux/XdgAutoStart.h"
#include "platform/linux/XdgDesktopShortcut.h"

using DefaultAutoStart = XdgAutoStart;
using DefaultDesktopShortcut = XdgDesktopShortcut;
using DefaultLauncher = LinuxProgramLauncher;
using DefaultNotifier = DBusNotifier;
using DefaultScreenGrab = QtScreenGrab;
using DefaultScriptStarter = TerminalScriptStarter;
using DefaultSoundPlayer = MediaSoundPlayer;
using DefaultSessionEnd = TerminationWatcher;
#endif

namespace {
template <typename Service, typename Default> std::unique_ptr<Service>& slot()
{
    static std::unique_ptr<Service> service;
    if (!service) {
        service = std::make_unique<Default>();
    }
    return service;
}

// nullptr brings the default service back.
template <typename Service, typename Default> void replace(std::unique_ptr<Service> service)
{
    slot<Service, Default>() = service ? std::move(service) : std::make_unique<Default>();
}
} // namespace

AutoStart& Platform::autoStart()
{
    return *slot<AutoStart, DefaultAutoStart>();
}

DesktopShortcut& Platform::desktopShortcut()
{
    return *slot<DesktopShortcut, DefaultDesktopShortcut>();
}

ProgramLauncher& Platform::launcher()
{
    return *slot<ProgramLauncher, DefaultLauncher>();
}

void Platform::setAutoStart(std::unique_ptr<AutoStart> service)
{
    replace<AutoStart, DefaultAutoStart>(std::move(service));
}

void Platform::setDesktopShortcut(std::unique_ptr<DesktopShortcut> service)
{
    replace<DesktopShortcut, DefaultDesktopShortcut>(std::move(service));
}

void Platform::setLauncher(std::unique_ptr<ProgramLauncher> service)
{
    replace<ProgramLauncher, DefaultLauncher>(std::move(service));
}

DesktopNotifier& Platform::notifier()
{
    return *slot<DesktopNotifier, DefaultNotifier>();
}

void Platform::setNotifier(std::unique_ptr<DesktopNotifier> service)
{
    replace<DesktopNotifier, DefaultNotifier>(std::move(service));
}

namespace {
std::function<bool()>& notificationAreaProbe()
{
    static std::function<bool()> probe;
    return probe;
}
} // namespace

bool Platform::hasNotificationArea()
{
    const std::function<bool()>& probe = notificationAreaProbe();
    return probe ? probe() : QSystemTrayIcon::isSystemTrayAvailable();
}

void Platform::setNotificationArea(std::function<bool()> probe)
{
    notificationAreaProbe() = std::move(probe);
}

ScreenGrab& Platform::screenGrab()
{
    return *slot<ScreenGrab, DefaultScreenGrab>();
}

void Platform::setScreenGrab(std::unique_ptr<ScreenGrab> service)
{
    replace<ScreenGrab, DefaultScreenGrab>(std::move(service));
}

ScriptStarter& Platform::scriptStarter()
{
    return *slot<ScriptStarter, DefaultScriptStarter>();
}

void Platform::setScriptStarter(std::unique_ptr<ScriptStarter> service)
{
    replace<ScriptStarter, DefaultScriptStarter>(std::move(service));
}

SoundPlayer* Platform::createSoundPlayer(QObject* parent)
{
    return new DefaultSoundPlayer(parent);
}

SessionEnd* Platform::createSessionEnd(QObject* parent)
{
    return new DefaultSessionEnd(parent);
}
