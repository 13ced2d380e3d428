#pragma once

#include "platform/win32/StartRequest.h"

// Starts a batch file the program wrote (the shutdown tool's close.bat)
// through the command processor, in its own folder, in a console window the
// user sees or with no window at all. It does not wait for the batch.
class BatchRunner {
public:
    explicit BatchRunner(Starter starter = &StartRequest::startNow);

    bool start(const std::wstring& script, bool shown) const;

    // The command processor named by %ComSpec%, else the system's cmd.exe.
    static std::wstring commandProcessor();
    static StartRequest request(const std::wstring& script, bool shown, const std::wstring& processor);

private:
    Starter m_starter;
};
