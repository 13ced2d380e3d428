// Writes the five close.bat files of 定时关机 as the program's core builds
// them on Windows (23:05 in the boxes), for the Windows-side suite to read.

#include "core/tools/ShutdownScript.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        return 1;
    }
    using Action = ShutdownScript::Action;

    const struct {
        const char* name;
        Action action;
    } files[] = {
        {"schedule.bat", Action::Schedule}, {"list.bat", Action::List},   {"now.bat", Action::Now},
        {"cancel.bat", Action::Cancel},     {"abort.bat", Action::Abort},
    };

    const ShutdownScript::System windows = ShutdownScript::System::Windows;
    for (const auto& file : files) {
        QFile out(folder + QLatin1Char('/') + QLatin1String(file.name));
        const QStringList lines =
            ShutdownScript::lines(file.action, windows, QStringLiteral("23"), QStringLiteral("05"));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(ShutdownScript::bytes(lines, windows)) < 0) {
            return 1;
        }
    }
    return 0;
}
