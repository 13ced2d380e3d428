#pragma once

#include "platform/ScriptStarter.h"

#include <QStringList>

// Runs a shell script: shown in the first terminal emulator found on the
// search path, hidden as a detached process of its own.
class TerminalScriptStarter : public ScriptStarter {
public:
    bool start(const QString& script, bool shown) override;

    // The terminal and the arguments that make it run the script, or an empty
    // list where no terminal is installed.
    static QStringList terminalCommand(const QString& script);
};
