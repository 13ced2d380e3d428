#pragma once

#include "platform/DesktopShortcut.h"
#include "platform/Platform.h"
#include "platform/ProgramLauncher.h"
#include "platform/linux/XdgAutoStart.h"

#include <QStringList>
#include <memory>

// Records what the shell asked of the platform instead of doing it.
class RecordingShortcut : public DesktopShortcut {
public:
    bool make(const QString& title, const QString& executable, const QString& workingFolder) override
    {
        made << title + QLatin1Char('|') + executable + QLatin1Char('|') + workingFolder;
        return true;
    }

    QStringList made;
};

class RecordingLauncher : public ProgramLauncher {
public:
    bool run(const QString& windowsCommand, Window window) override
    {
        runs << windowsCommand + (window == Window::Maximised ? QStringLiteral(" max") : QStringLiteral(" normal"));
        return true;
    }

    QStringList runs;
};

// For one test: the autostart entry goes to a folder of the test's own, the
// launcher and the programs are recorded, and the desktop has a notification
// area exactly when the test says so (none at first). The real services come
// back after.
class FakePlatform {
public:
    explicit FakePlatform(const QString& folder)
    {
        Platform::setAutoStart(std::make_unique<XdgAutoStart>(folder + QStringLiteral("/autostart")));
        auto recordingShortcut = std::make_unique<RecordingShortcut>();
        shortcut = recordingShortcut.get();
        Platform::setDesktopShortcut(std::move(recordingShortcut));
        auto recordingLauncher = std::make_unique<RecordingLauncher>();
        launcher = recordingLauncher.get();
        Platform::setLauncher(std::move(recordingLauncher));
        Platform::setNotificationArea([this] { return notificationArea; });
    }

    ~FakePlatform()
    {
        Platform::setAutoStart(nullptr);
        Platform::setDesktopShortcut(nullptr);
        Platform::setLauncher(nullptr);
        Platform::setNotificationArea(nullptr);
    }

    Q_DISABLE_COPY_MOVE(FakePlatform)

    RecordingShortcut* shortcut = nullptr;
    RecordingLauncher* launcher = nullptr;
    bool notificationArea = false;
};
