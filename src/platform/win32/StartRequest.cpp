#include "platform/win32/StartRequest.h"

#include <shellapi.h>

bool StartRequest::startNow(const StartRequest& request)
{
    if (request.way == Way::ShellOpen) {
        const HINSTANCE result =
            ShellExecuteW(request.parent, L"open", request.command.c_str(), nullptr, nullptr, request.show);
        // Values up to 32 are errors.
        return reinterpret_cast<INT_PTR>(result) > 32;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(request.show);
    PROCESS_INFORMATION process = {};
    // CreateProcessW may write into the command line.
    std::wstring line = request.command;
    if (!CreateProcessW(request.application.empty() ? nullptr : request.application.c_str(), line.data(), nullptr,
                        nullptr, FALSE, request.creationFlags, nullptr,
                        request.workingFolder.empty() ? nullptr : request.workingFolder.c_str(), &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
