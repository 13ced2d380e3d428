#include "platform/win32/WinError.h"

#include <windows.h>

namespace {
std::wstring compose(const std::wstring& what, unsigned long code)
{
    return what + L"：" + WinError::systemMessage(code);
}
} // namespace

WinError::WinError(const std::wstring& what, unsigned long code)
    : std::runtime_error(toUtf8(compose(what, code)))
    , m_code(code)
    , m_text(compose(what, code))
{
}

std::wstring WinError::systemMessage(unsigned long code)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring message;
    if (length > 0 && buffer) {
        message.assign(buffer, length);
        LocalFree(buffer);
    }
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ')) {
        message.pop_back();
    }
    if (message.empty()) {
        message = L"错误代码 " + std::to_wstring(code);
    }
    return message;
}

std::string WinError::toUtf8(const std::wstring& text)
{
    if (text.empty()) {
        return {};
    }
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}
