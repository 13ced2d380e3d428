#include "platform/win32/RunValue.h"

#include "platform/win32/WinError.h"

#include <utility>

namespace {
// Closes the key on every way out.
class OpenKey {
public:
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    ~OpenKey()
    {
        if (handle) {
            RegCloseKey(handle);
        }
    }

    HKEY handle = nullptr;
};
} // namespace

RunValue::RunValue(HKEY root, std::wstring key, std::wstring name)
    : m_root(root)
    , m_key(std::move(key))
    , m_name(std::move(name))
{
}

std::wstring RunValue::quoted(const std::wstring& executable)
{
    return L"\"" + executable + L"\"";
}

std::optional<std::wstring> RunValue::read() const
{
    OpenKey key;
    if (RegOpenKeyExW(m_root, m_key.c_str(), 0, KEY_QUERY_VALUE, &key.handle) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key.handle, m_name.c_str(), nullptr, &type, nullptr, &size);
    std::wstring text;
    // The value can grow between the two calls; ask again with the new size.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            return std::nullopt;
        }
        text.assign(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        status =
            RegQueryValueExW(key.handle, m_name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got);
        if (status == ERROR_SUCCESS) {
            text.resize(got / sizeof(wchar_t));
            // A stored string may or may not carry its terminator.
            while (!text.empty() && text.back() == L'\0') {
                text.pop_back();
            }
            return text;
        }
        size = got;
    }
    return std::nullopt;
}

bool RunValue::isEnabledFor(const std::wstring& executable) const
{
    const std::optional<std::wstring> text = read();
    return text && *text == quoted(executable);
}

void RunValue::enable(const std::wstring& executable)
{
    OpenKey key;
    LSTATUS status = RegCreateKeyExW(m_root, m_key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                     &key.handle, nullptr);
    if (status != ERROR_SUCCESS) {
        throw WinError(L"无法打开注册表项“" + m_key + L"”", static_cast<unsigned long>(status));
    }
    const std::wstring text = quoted(executable);
    status = RegSetValueExW(key.handle, m_name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) {
        throw WinError(L"无法写入注册表值“" + m_name + L"”", static_cast<unsigned long>(status));
    }
}

void RunValue::disable() noexcept
{
    OpenKey key;
    if (RegCreateKeyExW(m_root, m_key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key.handle,
                        nullptr) == ERROR_SUCCESS) {
        RegDeleteValueW(key.handle, m_name.c_str());
    }
}
