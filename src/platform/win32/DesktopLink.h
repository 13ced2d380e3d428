#pragma once

#include <string>

// The program's shortcut on the desktop: a shell link (.lnk) named after the
// program title, with the executable as target and its folder as working folder.
class DesktopLink {
public:
    // The current user's desktop folder as the shell reports it; empty when
    // the shell has none.
    static std::wstring desktopFolder();
    // The link's file in a folder: folder\title.lnk.
    static std::wstring linkFile(const std::wstring& folder, const std::wstring& title);
    // Saves (or replaces) the link. Throws WinError when the shell link object
    // cannot be made; a file that cannot be saved gives false.
    static bool save(const std::wstring& linkFile, const std::wstring& target, const std::wstring& workingFolder);
};
