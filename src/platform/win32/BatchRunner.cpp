#include "platform/win32/BatchRunner.h"

#include <utility>

BatchRunner::BatchRunner(Starter starter)
    : m_starter(std::move(starter))
{
}

std::wstring BatchRunner::commandProcessor()
{
    wchar_t buffer[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"ComSpec", buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        return std::wstring(buffer, length);
    }
    length = GetSystemDirectoryW(buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        return std::wstring(buffer, length) + L"\\cmd.exe";
    }
    return L"cmd.exe";
}

StartRequest BatchRunner::request(const std::wstring& script, bool shown, const std::wstring& processor)
{
    StartRequest request;
    request.way = StartRequest::Way::CommandLine;
    request.application = processor;
    // cmd drops the outer pair of quotes after /c, so a path with spaces keeps
    // its own; %0 inside the batch is then the quoted path that "del %0" needs.
    request.command = L"\"" + processor + L"\" /c \"\"" + script + L"\"\"";
    const std::wstring::size_type slash = script.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        request.workingFolder = script.substr(0, slash + 1);
    }
    request.show = shown ? SW_SHOWNORMAL : SW_HIDE;
    request.creationFlags = shown ? CREATE_NEW_CONSOLE : CREATE_NO_WINDOW;
    return request;
}

bool BatchRunner::start(const std::wstring& script, bool shown) const
{
    return m_starter(request(script, shown, commandProcessor()));
}
