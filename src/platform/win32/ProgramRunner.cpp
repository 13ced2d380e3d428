#include "platform/win32/ProgramRunner.h"

#include <utility>

ProgramRunner::ProgramRunner(Starter starter)
    : m_starter(std::move(starter))
{
}

StartRequest ProgramRunner::maximised(const std::wstring& command)
{
    StartRequest request;
    request.way = StartRequest::Way::CommandLine;
    request.command = command;
    request.show = SW_SHOWMAXIMIZED;
    return request;
}

StartRequest ProgramRunner::opened(const std::wstring& command, HWND parent)
{
    StartRequest request;
    request.way = StartRequest::Way::ShellOpen;
    request.command = command;
    request.show = SW_SHOWNORMAL;
    request.parent = parent;
    return request;
}

bool ProgramRunner::runMaximised(const std::wstring& command) const
{
    return m_starter(maximised(command));
}

bool ProgramRunner::open(const std::wstring& command, HWND parent) const
{
    return m_starter(opened(command, parent));
}
