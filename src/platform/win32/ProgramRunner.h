#pragma once

#include "platform/win32/StartRequest.h"

// Starts the programs of the menu 更多 without waiting for them and without
// looking at the outcome: what Windows says about a missing program is its own.
class ProgramRunner {
public:
    explicit ProgramRunner(Starter starter = &StartRequest::startNow);

    // 计算器, 记事本, 任务管理器, 资源管理器: the command line, found through the
    // search path, in a maximised window.
    bool runMaximised(const std::wstring& command) const;
    // The tools of 更多工具: the shell opens the command (".msc" files too) in a
    // normal window, owned by the program's window.
    bool open(const std::wstring& command, HWND parent) const;

    static StartRequest maximised(const std::wstring& command);
    static StartRequest opened(const std::wstring& command, HWND parent);

private:
    Starter m_starter;
};
