#include "core/tools/ShutdownScript.h"

#include <QStringEncoder>

QString ShutdownScript::fileName(System system)
{
    return system == System::Windows ? QStringLiteral("close.bat") : QStringLiteral("close.sh");
}

bool ShutdownScript::shown(Action action)
{
    return action == Action::Schedule || action == Action::List || action == Action::Cancel;
}

ShutdownScript::System ShutdownScript::thisSystem()
{
#ifdef Q_OS_WIN
    return System::Windows;
#else
    return System::Linux;
#endif
}

QStringList ShutdownScript::lines(Action action, System system, const QString& hour, const QString& minute)
{
    if (system == System::Windows) {
        QStringList text{QStringLiteral("@echo off")};
        switch (action) {
        case Action::Schedule:
            text << QStringLiteral("at ") + hour + QLatin1Char(':') + minute + QStringLiteral(" shutdown -s")
                 << QStringLiteral("at") << QStringLiteral("pause");
            break;
        case Action::List:
            text << QStringLiteral("at") << QStringLiteral("pause");
            break;
        case Action::Now:
            text << QStringLiteral("shutdown -s");
            break;
        case Action::Cancel:
            text << QStringLiteral("at /delete /yes") << QStringLiteral("at") << QStringLiteral("pause");
            break;
        case Action::Abort:
            text << QStringLiteral("shutdown -a");
            break;
        }
        return text << QStringLiteral("del %0");
    }

    // A shown script waits for Enter so that the user can read what the
    // commands said; it deletes itself last either way.
    const QString pause = QStringLiteral("printf '%s' '请按回车键继续. . .'; read answer");
    QStringList text{QStringLiteral("#!/bin/sh")};
    switch (action) {
    case Action::Schedule:
        text << QStringLiteral("shutdown -h ") + hour + QLatin1Char(':') + minute << QStringLiteral("shutdown --show")
             << pause;
        break;
    case Action::List:
        text << QStringLiteral("shutdown --show") << pause;
        break;
    case Action::Now:
        text << QStringLiteral("shutdown -h now");
        break;
    case Action::Cancel:
        text << QStringLiteral("shutdown -c") << QStringLiteral("shutdown --show") << pause;
        break;
    case Action::Abort:
        text << QStringLiteral("shutdown -c");
        break;
    }
    return text << QStringLiteral("rm -f \"$0\"");
}

QByteArray ShutdownScript::bytes(const QStringList& lines, System system)
{
    if (system == System::Linux) {
        return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    }
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
#ifdef Q_OS_WIN
    // cmd reads a batch file in the system's code page.
    QStringEncoder codePage(QStringConverter::System);
#else
    // Written here for a Chinese Windows, whose code page is GBK.
    QStringEncoder codePage("GBK");
#endif
    return codePage.encode(text);
}

QStringList ShutdownScript::explanation(System system)
{
    if (system == System::Windows) {
        return {QStringLiteral("你无需使用任何软件即可实现定时关机。本软件仅仅代你执行相应命令。"),
                QString(),
                QStringLiteral("附原始命令(以下操作都在命令提示符中进行)："),
                QString(),
                QStringLiteral("关闭此计算机 shutdown -s"),
                QStringLiteral("放弃系统关机 shutdown -a"),
                QStringLiteral("指定运行时间 at 12:34"),
                QStringLiteral("查询已计划命令 at"),
                QStringLiteral("删除已计划命令 at /delete /yes"),
                QString(),
                QStringLiteral("要使用 at 命令，计划服务必须已在运行中。"),
                QString(),
                QStringLiteral("由于本软件会执行系统命令，可能会被杀毒软件误报。请放心使用。")};
    }
    return {QStringLiteral("你无需使用任何软件即可实现定时关机。本软件仅仅代你执行相应命令。"),
            QString(),
            QStringLiteral("附原始命令(以下操作都在终端中进行)："),
            QString(),
            QStringLiteral("关闭此计算机 shutdown -h now"),
            QStringLiteral("放弃系统关机 shutdown -c"),
            QStringLiteral("指定运行时间 shutdown -h 12:34"),
            QStringLiteral("查询已计划命令 shutdown --show"),
            QStringLiteral("删除已计划命令 shutdown -c"),
            QString(),
            QStringLiteral("要使用 shutdown 命令，当前用户必须有关机的权限。"),
            QString(),
            QStringLiteral("由于本软件会执行系统命令，可能会被安全软件提示。请放心使用。")};
}
