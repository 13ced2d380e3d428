// The Windows layer under wine: one executable, so that wine starts once.
// Usage: tst_win32 <folder with the close.bat files the program's core wrote>

#include "platform/win32/BatchRunner.h"
#include "platform/win32/DesktopLink.h"
#include "platform/win32/ProgramRunner.h"
#include "platform/win32/RunValue.h"
#include "platform/win32/WinError.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {
int g_passed = 0;
int g_failed = 0;
std::string g_case;

void check(bool ok, const char* expression, int line, const std::wstring& detail = {})
{
    if (ok) {
        ++g_passed;
        return;
    }
    ++g_failed;
    std::printf("FAIL %s (line %d): %s", g_case.c_str(), line, expression);
    if (!detail.empty()) {
        std::printf(" [%s]", WinError::toUtf8(detail).c_str());
    }
    std::printf("\n");
}

#define CHECK(expression) check((expression), #expression, __LINE__)
#define CHECK_TEXT(actual, expected)                                                                                   \
    check((actual) == (expected), #actual " == " #expected, __LINE__, L"got " + std::wstring(actual))

// Scratch folders beside the test executable, inside the build folder.
std::wstring tempFolder(const std::wstring& name)
{
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring folder(buffer, length);
    folder = folder.substr(0, folder.find_last_of(L'\\') + 1) + L"scratch\\" + name + L"\\";
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return folder;
}

bool exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void writeFile(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readFile(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// ---- autostart -------------------------------------------------------------

void runValueRoundTrip()
{
    g_case = "run value round trip";
    RunValue value; // the machine's Run key, in the private wine prefix
    value.disable();
    const std::wstring exe = L"C:\\Program Files\\Pelorin 助手\\Pelorin.exe";
    CHECK(!value.read());
    CHECK(!value.isEnabledFor(exe));

    value.enable(exe);
    const std::optional<std::wstring> stored = value.read();
    CHECK(stored.has_value());
    CHECK_TEXT(stored.value_or(L""), L"\"" + exe + L"\"");
    CHECK(value.isEnabledFor(exe));

    // Read back by plain registry calls, as Windows reads it at logon.
    wchar_t raw[512] = {};
    DWORD size = sizeof raw;
    DWORD type = 0;
    CHECK(RegGetValueW(HKEY_LOCAL_MACHINE, RunValue::kRunKey, L"PEL", RRF_RT_ANY, &type, raw, &size) == ERROR_SUCCESS);
    CHECK(type == REG_SZ);
    CHECK_TEXT(std::wstring(raw), L"\"" + exe + L"\"");

    value.disable();
    CHECK(!value.read());
    CHECK(!value.isEnabledFor(exe));
    value.disable(); // nothing to remove: still quiet
    CHECK(!value.read());
}

void runValueMovedProgram()
{
    g_case = "moved program";
    RunValue value;
    const std::wstring oldPlace = L"D:\\Tools\\Pelorin\\Pelorin.exe";
    const std::wstring newPlace = L"E:\\Pelorin\\Pelorin.exe";
    value.enable(oldPlace);
    CHECK(!value.isEnabledFor(newPlace));
    // Unquoted or differently cased paths are not this executable's value either.
    CHECK(!value.isEnabledFor(L"d:\\tools\\pelorin\\pelorin.exe"));
    CHECK_TEXT(value.read().value_or(L""), L"\"" + oldPlace + L"\"");
    value.disable();
}

void runValueKeyAndType()
{
    g_case = "run key created, foreign value type";
    const std::wstring key = L"Software\\PelorinTest\\Run";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PelorinTest");
    RunValue value(HKEY_CURRENT_USER, key);
    CHECK(!value.read());
    value.enable(L"C:\\P\\Pelorin.exe");
    CHECK(value.isEnabledFor(L"C:\\P\\Pelorin.exe"));

    // A number under the same name is not a path to this program.
    const DWORD number = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"PEL", REG_DWORD, &number, sizeof number);
    CHECK(!value.read());
    CHECK(!value.isEnabledFor(L"C:\\P\\Pelorin.exe"));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PelorinTest");
}

void runValueFailure()
{
    g_case = "run value cannot be written";
    // A key handle that does not exist stands for a key the user may not open.
    RunValue value(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7f0f0f0)));
    bool thrown = false;
    try {
        value.enable(L"C:\\P\\Pelorin.exe");
    } catch (const WinError& error) {
        thrown = true;
        CHECK(error.code() != ERROR_SUCCESS);
        CHECK(error.text().find(L"无法打开注册表项") == 0);
        // The system's own words follow the step.
        CHECK(error.text().size() > std::wstring(L"无法打开注册表项“”：").size() + std::wcslen(RunValue::kRunKey));
        CHECK(std::string(error.what()).find("无法打开注册表项") == 0);
    }
    CHECK(thrown);
    value.disable(); // a failed delete says nothing
    CHECK(!value.read());
}

// ---- desktop shortcut ------------------------------------------------------

struct LinkContent {
    std::wstring target;
    std::wstring workingFolder;
    std::wstring arguments;
    std::wstring description;
};

// An independent reader: the shell's own link object loads the file.
std::optional<LinkContent> readLink(const std::wstring& file)
{
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return std::nullopt;
    }
    std::optional<LinkContent> content;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
        wchar_t buffer[MAX_PATH] = {};
        LinkContent read;
        // The target by its item list: the link's full Unicode path.
        PIDLIST_ABSOLUTE items = nullptr;
        if (SUCCEEDED(link->GetIDList(&items)) && items && SHGetPathFromIDListW(items, buffer)) {
            read.target = buffer;
        }
        CoTaskMemFree(items);
        buffer[0] = 0;
        link->GetWorkingDirectory(buffer, MAX_PATH);
        read.workingFolder = buffer;
        buffer[0] = 0;
        link->GetArguments(buffer, MAX_PATH);
        read.arguments = buffer;
        buffer[0] = 0;
        link->GetDescription(buffer, MAX_PATH);
        read.description = buffer;
        content = read;
    }
    if (persist) {
        persist->Release();
    }
    link->Release();
    return content;
}

void desktopLinkSaved()
{
    g_case = "desktop link";
    const std::wstring folder = tempFolder(L"Pelorin 快捷方式");
    const std::wstring programFolder = tempFolder(L"Pelorin 程序");
    const std::wstring exe = programFolder + L"Pelorin.exe";
    writeFile(exe, "MZ");

    const std::wstring file = DesktopLink::linkFile(folder, L"Pelorin");
    CHECK_TEXT(file, folder + L"Pelorin.lnk");
    CHECK_TEXT(DesktopLink::linkFile(L"C:\\Users\\u\\Desktop", L"Pelorin"), L"C:\\Users\\u\\Desktop\\Pelorin.lnk");
    DeleteFileW(file.c_str());

    CHECK(DesktopLink::save(file, exe, programFolder));
    const std::optional<LinkContent> link = readLink(file);
    CHECK(link.has_value());
    if (link) {
        CHECK_TEXT(link->target, exe);
        CHECK_TEXT(link->workingFolder, programFolder);
        CHECK(link->arguments.empty());
        CHECK(link->description.empty());
    }

    // An existing link of the same name is replaced.
    const std::wstring otherFolder = tempFolder(L"Pelorin 新位置");
    const std::wstring moved = otherFolder + L"Pelorin.exe";
    writeFile(moved, "MZ");
    CHECK(DesktopLink::save(file, moved, otherFolder));
    const std::optional<LinkContent> replaced = readLink(file);
    CHECK(replaced && replaced->target == moved && replaced->workingFolder == otherFolder);
}

void desktopLinkFailures()
{
    g_case = "desktop folder and unsaved link";
    const std::wstring desktop = DesktopLink::desktopFolder();
    CHECK(!desktop.empty());
    const DWORD attributes = GetFileAttributesW(desktop.c_str());
    CHECK(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));

    // A folder that does not exist: not saved, and said so by the result only.
    const std::wstring nowhere = tempFolder(L"Pelorin 快捷方式") + L"不存在\\Pelorin.lnk";
    bool saved = true;
    try {
        saved = DesktopLink::save(nowhere, L"C:\\P\\Pelorin.exe", L"C:\\P\\");
    } catch (...) {
        CHECK(!"a file that cannot be saved must not throw");
    }
    CHECK(!saved);
    CHECK(!exists(nowhere));
}

// ---- programs --------------------------------------------------------------

struct ProgramCase {
    const wchar_t* command;
    bool maximised;
    StartRequest::Way way;
    int show;
};

void programRequests()
{
    g_case = "programs of the menu";
    const ProgramCase cases[] = {
        {L"calc", true, StartRequest::Way::CommandLine, 3},
        {L"notepad", true, StartRequest::Way::CommandLine, 3},
        {L"taskmgr", true, StartRequest::Way::CommandLine, 3},
        {L"explorer", true, StartRequest::Way::CommandLine, 3},
        {L"mspaint", false, StartRequest::Way::ShellOpen, 1},
        {L"services.msc", false, StartRequest::Way::ShellOpen, 1},
        {L"sndvol32", false, StartRequest::Way::ShellOpen, 1},
    };
    std::vector<StartRequest> recorded;
    const ProgramRunner runner([&recorded](const StartRequest& request) {
        recorded.push_back(request);
        return false; // what Windows answers is not looked at
    });
    const HWND owner = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234));
    for (const ProgramCase& c : cases) {
        recorded.clear();
        if (c.maximised) {
            runner.runMaximised(c.command);
        } else {
            runner.open(c.command, owner);
        }
        CHECK(recorded.size() == 1);
        if (recorded.size() != 1) {
            continue;
        }
        const StartRequest& request = recorded.front();
        CHECK(request.way == c.way);
        CHECK(request.show == c.show);
        CHECK_TEXT(request.command, std::wstring(c.command));
        // Found through the search path; the shell's open has no folder or arguments.
        CHECK(request.application.empty());
        CHECK(request.workingFolder.empty());
        CHECK(request.parent == (c.maximised ? nullptr : owner));
    }
}

void programMissing()
{
    g_case = "missing program";
    // The real start of a program that is nowhere: false, no exception, no box.
    const ProgramRunner runner;
    CHECK(!runner.runMaximised(L"pelorin-no-such-program-here"));
}

// ---- shutdown batch --------------------------------------------------------

void batchRequests()
{
    g_case = "batch start request";
    const std::wstring script = L"C:\\Pelorin 助手\\close.bat";
    const StartRequest shown = BatchRunner::request(script, true, L"C:\\windows\\system32\\cmd.exe");
    CHECK(shown.way == StartRequest::Way::CommandLine);
    CHECK_TEXT(shown.application, std::wstring(L"C:\\windows\\system32\\cmd.exe"));
    CHECK_TEXT(shown.command,
               std::wstring(L"\"C:\\windows\\system32\\cmd.exe\" /c \"\"C:\\Pelorin 助手\\close.bat\"\""));
    CHECK_TEXT(shown.workingFolder, std::wstring(L"C:\\Pelorin 助手\\"));
    CHECK(shown.show == SW_SHOWNORMAL);
    CHECK(shown.creationFlags == CREATE_NEW_CONSOLE);

    const StartRequest hidden = BatchRunner::request(script, false, L"cmd.exe");
    CHECK(hidden.show == SW_HIDE);
    CHECK(hidden.creationFlags == CREATE_NO_WINDOW);

    std::vector<StartRequest> recorded;
    const BatchRunner runner([&recorded](const StartRequest& request) {
        recorded.push_back(request);
        return true;
    });
    CHECK(runner.start(script, false));
    CHECK(recorded.size() == 1 && recorded.front().application == BatchRunner::commandProcessor());
    CHECK(exists(BatchRunner::commandProcessor()));
}

void batchRunsAndDeletesItself()
{
    g_case = "batch runs hidden and deletes itself";
    const std::wstring folder = tempFolder(L"Pelorin 关机 test");
    const std::wstring script = folder + L"close.bat";
    const std::wstring marker = folder + L"ran.txt";
    DeleteFileW(marker.c_str());
    // Writes into its working folder by a relative name, then "del %0" as close.bat does.
    writeFile(script, "@echo off\r\necho ran> ran.txt\r\ndel %0\r\n");
    CHECK(BatchRunner().start(script, false));
    for (int i = 0; i < 200 && (exists(script) || !exists(marker)); ++i) {
        Sleep(50);
    }
    CHECK(exists(marker));
    CHECK(!exists(script));
    CHECK(readFile(marker).rfind("ran", 0) == 0);
}

struct BatchCase {
    const wchar_t* file;
    std::vector<std::wstring> lines;
};

void closeBatBytes(const std::wstring& folder)
{
    g_case = "close.bat bytes";
    // Chinese Windows reads them in its code page, 936 (GBK).
    const UINT gbk = 936;
    const BatchCase cases[] = {
        {L"schedule.bat", {L"@echo off", L"at 23:05 shutdown -s", L"at", L"pause", L"del %0"}},
        {L"list.bat", {L"@echo off", L"at", L"pause", L"del %0"}},
        {L"now.bat", {L"@echo off", L"shutdown -s", L"del %0"}},
        {L"cancel.bat", {L"@echo off", L"at /delete /yes", L"at", L"pause", L"del %0"}},
        {L"abort.bat", {L"@echo off", L"shutdown -a", L"del %0"}},
    };
    for (const BatchCase& c : cases) {
        const std::string bytes = readFile(folder + c.file);
        CHECK(!bytes.empty());
        std::wstring expected;
        for (const std::wstring& line : c.lines) {
            expected += line + L"\r\n";
        }
        const int size =
            MultiByteToWideChar(gbk, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring text(static_cast<size_t>(size > 0 ? size : 0), L'\0');
        MultiByteToWideChar(gbk, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
        check(text == expected, "file decodes to its lines, each ended by CR LF", __LINE__, c.file);
    }
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    runValueRoundTrip();
    runValueMovedProgram();
    runValueKeyAndType();
    runValueFailure();
    desktopLinkSaved();
    desktopLinkFailures();
    programRequests();
    programMissing();
    batchRequests();
    batchRunsAndDeletesItself();
    if (argc > 1) {
        std::wstring folder = argv[1];
        if (!folder.empty() && folder.back() != L'\\') {
            folder += L'\\';
        }
        closeBatBytes(folder);
    } else {
        g_case = "close.bat bytes";
        check(false, "the folder of the program's close.bat files is given", __LINE__);
    }
    CoUninitialize();
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
