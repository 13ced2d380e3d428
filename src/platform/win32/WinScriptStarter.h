#pragma once

#include "platform/ScriptStarter.h"
#include "platform/win32/BatchRunner.h"

// Starts close.bat through cmd, in a console window or with none.
class WinScriptStarter : public ScriptStarter {
public:
    bool start(const QString& script, bool shown) override;

private:
    BatchRunner m_runner;
};
