#include "platform/win32/WinDesktopShortcut.h"

#include "platform/win32/DesktopLink.h"
#include "platform/win32/WinError.h"

#include <QDir>
#include <stdexcept>

bool WinDesktopShortcut::make(const QString& title, const QString& executable, const QString& workingFolder)
{
    const std::wstring desktop = DesktopLink::desktopFolder();
    if (desktop.empty()) {
        return false;
    }
    QString folder = QDir::toNativeSeparators(workingFolder);
    if (!folder.endsWith(QLatin1Char('\\'))) {
        folder += QLatin1Char('\\');
    }
    try {
        return DesktopLink::save(DesktopLink::linkFile(desktop, title.toStdWString()),
                                 QDir::toNativeSeparators(executable).toStdWString(), folder.toStdWString());
    } catch (const WinError& error) {
        throw std::runtime_error(QString::fromStdWString(error.text()).toLocal8Bit().toStdString());
    }
}
