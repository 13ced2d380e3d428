#pragma once

#include "platform/ProgramLauncher.h"

#include <QStringList>

// Runs the first installed Linux counterpart of a Windows command (a
// calculator for "calc", a text editor for "notepad", ...), found through PATH.
class LinuxProgramLauncher : public ProgramLauncher {
public:
    bool run(const QString& windowsCommand, Window window) override;

    // The command lines tried for a Windows command, in order of preference.
    static QList<QStringList> counterparts(const QString& windowsCommand);
    // The first counterpart whose program is on PATH, or an empty list.
    static QStringList choose(const QString& windowsCommand);
};
