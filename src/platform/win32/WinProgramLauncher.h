#pragma once

#include "platform/ProgramLauncher.h"
#include "platform/win32/ProgramRunner.h"

// The Windows commands themselves: the four programs maximised through the
// search path, the tools of 更多工具 through the shell's "open".
class WinProgramLauncher : public ProgramLauncher {
public:
    bool run(const QString& windowsCommand, Window window) override;

private:
    ProgramRunner m_runner;
};
