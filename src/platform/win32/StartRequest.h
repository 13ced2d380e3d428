#pragma once

#include <functional>
#include <string>
#include <windows.h>

// One outside program to start, described before it is started, so that tests
// can look at what would be started instead of starting it.
struct StartRequest {
    enum class Way {
        CommandLine, // CreateProcessW; an empty application is found through the search path
        ShellOpen,   // ShellExecuteW with the verb "open"
    };

    Way way = Way::CommandLine;
    std::wstring application;
    std::wstring command;
    std::wstring workingFolder;
    int show = SW_SHOWNORMAL;
    DWORD creationFlags = 0;
    HWND parent = nullptr;

    bool operator==(const StartRequest&) const = default;

    // Starts it without waiting; true when Windows started something.
    static bool startNow(const StartRequest& request);
};

using Starter = std::function<bool(const StartRequest&)>;
