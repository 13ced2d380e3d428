#pragma once

#include <stdexcept>
#include <string>

// A failed Windows call, carrying the system's own message for the error
// report: the user reads what Windows said, in the language Windows speaks.
class WinError : public std::runtime_error {
public:
    // `what` is the step that failed, put before the system's message.
    WinError(const std::wstring& what, unsigned long code);

    unsigned long code() const { return m_code; }

    const std::wstring& text() const { return m_text; }

    // The system's message for an error code, without its line break.
    static std::wstring systemMessage(unsigned long code);
    static std::string toUtf8(const std::wstring& text);

private:
    unsigned long m_code;
    std::wstring m_text;
};
