#include "Platform.h"

#include "LinuxProgramLauncher.h"
#include "XdgAutoStart.h"
#include "XdgDesktopShortcut.h"

namespace {
template <typename Service, typename Default> std::unique_ptr<Service>& slot()
{
    static std::unique_ptr<Service> service;
    if (!service) {
        service = std::make_unique<Default>();
    }
    return service;
}
} // namespace

AutoStart& Platform::autoStart()
{
    return *slot<AutoStart, XdgAutoStart>();
}

DesktopShortcut& Platform::desktopShortcut()
{
    return *slot<DesktopShortcut, XdgDesktopShortcut>();
}

ProgramLauncher& Platform::launcher()
{
    return *slot<ProgramLauncher, LinuxProgramLauncher>();
}

void Platform::setAutoStart(std::unique_ptr<AutoStart> service)
{
    slot<AutoStart, XdgAutoStart>() = service ? std::move(service) : std::make_unique<XdgAutoStart>();
}

void Platform::setDesktopShortcut(std::unique_ptr<DesktopShortcut> service)
{
    slot<DesktopShortcut, XdgDesktopShortcut>() = service ? std::move(service) : std::make_unique<XdgDesktopShortcut>();
}

void Platform::setLauncher(std::unique_ptr<ProgramLauncher> service)
{
    slot<ProgramLauncher, LinuxProgramLauncher>() =
        service ? std::move(service) : std::make_unique<LinuxProgramLauncher>();
}
