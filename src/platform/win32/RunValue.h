#pragma once

#include <optional>
#include <string>
#include <windows.h>

// The value that starts the program when a user logs on: "PEL" under the Run
// key of the machine, holding the executable's path between double quotes.
class RunValue {
public:
    static constexpr const wchar_t* kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr const wchar_t* kName = L"PEL";

    explicit RunValue(HKEY root = HKEY_LOCAL_MACHINE, std::wstring key = kRunKey, std::wstring name = kName);

    // The value's text; nothing when the key or the value is missing.
    std::optional<std::wstring> read() const;
    // Only the exact quoted path of this executable counts: a value left by a
    // moved program stays where it is and does not tick the box.
    bool isEnabledFor(const std::wstring& executable) const;
    // Creates the key when missing. Throws WinError with the system's message.
    void enable(const std::wstring& executable);
    // A value that cannot be removed is left quietly.
    void disable() noexcept;

    static std::wstring quoted(const std::wstring& executable);

private:
    HKEY m_root;
    std::wstring m_key;
    std::wstring m_name;
};
