#include "platform/win32/WinProgramLauncher.h"

#include <QApplication>
#include <QWidget>

bool WinProgramLauncher::run(const QString& windowsCommand, Window window)
{
    const std::wstring command = windowsCommand.toStdWString();
    if (window == Window::Maximised) {
        return m_runner.runMaximised(command);
    }
    const QWidget* owner = QApplication::activeWindow();
    return m_runner.open(command, owner ? reinterpret_cast<HWND>(owner->winId()) : nullptr);
}
