#include "platform/win32/WinAutoStart.h"

#include "platform/win32/WinError.h"

#include <QDir>
#include <stdexcept>

namespace {
std::wstring nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}
} // namespace

bool WinAutoStart::isEnabledFor(const QString& executable) const
{
    return m_value.isEnabledFor(nativePath(executable));
}

void WinAutoStart::enable(const QString& executable)
{
    try {
        m_value.enable(nativePath(executable));
    } catch (const WinError& error) {
        // The error report reads the text in the system's code page.
        throw std::runtime_error(QString::fromStdWString(error.text()).toLocal8Bit().toStdString());
    }
}

void WinAutoStart::disable()
{
    m_value.disable();
}
