#pragma once

#include "DesktopShortcut.h"
#include "ProgramLauncher.h"

#include <QStringList>

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
