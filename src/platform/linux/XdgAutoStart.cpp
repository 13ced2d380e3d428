#include "platform/linux/XdgAutoStart.h"

#include "platform/linux/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

XdgAutoStart::XdgAutoStart(QString folder)
    : m_folder(folder.isEmpty() ? defaultFolder() : std::move(folder))
{
}

QString XdgAutoStart::defaultFolder()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config)) {
        config = QDir::homePath() + QStringLiteral("/.config");
    }
    return config + QStringLiteral("/autostart");
}

QString XdgAutoStart::entryPath() const
{
    return m_folder + QStringLiteral("/PEL.desktop");
}

QString XdgAutoStart::execLine(const QString& executable)
{
    return DesktopEntry::quoteArgument(executable);
}

bool XdgAutoStart::isEnabledFor(const QString& executable) const
{
    const std::optional<QString> exec = DesktopEntry::readValue(entryPath(), QStringLiteral("Exec"));
    return exec && *exec == execLine(executable);
}

void XdgAutoStart::enable(const QString& executable)
{
    DesktopEntry entry;
    entry.name = QStringLiteral("Pelorin");
    entry.exec = execLine(executable);
    entry.extra = QStringLiteral("X-GNOME-Autostart-enabled=true\n");
    QString error;
    if (!QDir().mkpath(m_folder)) {
        error = QStringLiteral("无法创建文件夹“%1”。").arg(QDir::toNativeSeparators(m_folder));
    }
    if (!error.isEmpty() || !entry.write(entryPath(), &error)) {
        throw std::runtime_error(QStringLiteral("无法写入开机启动项“%1”：%2")
                                     .arg(QDir::toNativeSeparators(entryPath()), error)
                                     .toStdString());
    }
}

void XdgAutoStart::disable()
{
    QFile::remove(entryPath());
}
