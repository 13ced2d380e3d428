#include "platform/linux/XdgDesktopShortcut.h"

#include "platform/linux/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

XdgDesktopShortcut::XdgDesktopShortcut(QString folder)
    : m_folder(folder.isEmpty() ? defaultFolder() : std::move(folder))
{
}

QString XdgDesktopShortcut::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

bool XdgDesktopShortcut::make(const QString& title, const QString& executable, const QString& workingFolder)
{
    DesktopEntry entry;
    entry.name = title;
    entry.exec = DesktopEntry::quoteArgument(executable);
    entry.workingFolder = workingFolder;
    entry.extra = QStringLiteral("Categories=Utility;\n");
    const QString path = m_folder + QLatin1Char('/') + title + QStringLiteral(".desktop");
    QString error;
    if (!QDir().mkpath(m_folder) || !entry.write(path, &error)) {
        return false;
    }
    return QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
}
