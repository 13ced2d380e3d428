#include "platform/win32/WinScriptStarter.h"

#include <QDir>

bool WinScriptStarter::start(const QString& script, bool shown)
{
    return m_runner.start(QDir::toNativeSeparators(script).toStdWString(), shown);
}
