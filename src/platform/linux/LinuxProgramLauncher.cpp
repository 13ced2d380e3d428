#include "platform/linux/LinuxProgramLauncher.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>

namespace {
using Candidates = QList<QStringList>;

QStringList cmd(std::initializer_list<const char*> parts)
{
    QStringList list;
    for (const char* part : parts) {
        list << QString::fromUtf8(part);
    }
    return list;
}

const QHash<QString, Candidates>& table()
{
    static const QHash<QString, Candidates> counterparts = {
        {QStringLiteral("calc"),
         {cmd({"gnome-calculator"}), cmd({"kcalc"}), cmd({"mate-calc"}), cmd({"galculator"}), cmd({"xcalc"})}},
        {QStringLiteral("notepad"),
         {cmd({"gnome-text-editor"}), cmd({"gedit"}), cmd({"kate"}), cmd({"mousepad"}), cmd({"pluma"}), cmd({"xed"}),
          cmd({"leafpad"})}},
        {QStringLiteral("taskmgr"),
         {cmd({"gnome-system-monitor"}), cmd({"plasma-systemmonitor"}), cmd({"ksysguard"}),
          cmd({"mate-system-monitor"}), cmd({"xfce4-taskmanager"}), cmd({"lxtask"})}},
        {QStringLiteral("explorer"),
         {cmd({"nautilus"}), cmd({"dolphin"}), cmd({"thunar"}), cmd({"nemo"}), cmd({"caja"}), cmd({"pcmanfm"})}},
        {QStringLiteral("osk"), {cmd({"onboard"}), cmd({"florence"})}},
        {QStringLiteral("write"), {cmd({"libreoffice", "--writer"}), cmd({"abiword"})}},
        {QStringLiteral("mspaint"), {cmd({"kolourpaint"}), cmd({"pinta"}), cmd({"mtpaint"}), cmd({"gimp"})}},
        {QStringLiteral("mstsc"), {cmd({"remmina"}), cmd({"krdc"})}},
        {QStringLiteral("magnify"), {cmd({"kmag"}), cmd({"xzoom"})}},
        {QStringLiteral("sndvol32"),
         {cmd({"pavucontrol"}), cmd({"pavucontrol-qt"}), cmd({"gnome-control-center", "sound"})}},
        {QStringLiteral("lusrmgr.msc"), {cmd({"gnome-control-center", "user-accounts"}), cmd({"users-admin"})}},
        {QStringLiteral("services.msc"), {cmd({"systemd-manager"})}},
        {QStringLiteral("regedit"), {cmd({"dconf-editor"})}},
        {QStringLiteral("msconfig"), {cmd({"gnome-session-properties"}), cmd({"gnome-tweaks"})}},
        {QStringLiteral("compmgmt.msc"), {cmd({"gnome-control-center"}), cmd({"systemsettings"})}},
        {QStringLiteral("devmgmt.msc"), {cmd({"hardinfo"}), cmd({"kinfocenter"})}},
        {QStringLiteral("dxdiag"), {cmd({"hardinfo"}), cmd({"kinfocenter"})}},
        {QStringLiteral("winver"), {cmd({"gnome-control-center", "info-overview"}), cmd({"kinfocenter"})}},
        {QStringLiteral("perfmon.msc"),
         {cmd({"gnome-system-monitor"}), cmd({"plasma-systemmonitor"}), cmd({"ksysguard"})}},
        {QStringLiteral("diskmgmt.msc"), {cmd({"gnome-disks"}), cmd({"partitionmanager"}), cmd({"gparted"})}},
        {QStringLiteral("cleanmgr"), {cmd({"baobab"}), cmd({"filelight"}), cmd({"bleachbit"})}},
        {QStringLiteral("fsmgmt.msc"), {cmd({"nautilus", "network:///"}), cmd({"dolphin", "remote:/"})}},
    };
    return counterparts;
}
} // namespace

QList<QStringList> LinuxProgramLauncher::counterparts(const QString& windowsCommand)
{
    return table().value(windowsCommand.toLower());
}

QStringList LinuxProgramLauncher::choose(const QString& windowsCommand)
{
    for (const QStringList& candidate : counterparts(windowsCommand)) {
        if (!QStandardPaths::findExecutable(candidate.first()).isEmpty()) {
            return candidate;
        }
    }
    return {};
}

bool LinuxProgramLauncher::run(const QString& windowsCommand, Window)
{
    // Desktop programs choose their own window size here; the command only names the tool.
    QStringList command = choose(windowsCommand);
    if (command.isEmpty()) {
        return false;
    }
    const QString program = command.takeFirst();
    return QProcess::startDetached(program, command, QDir::homePath());
}
