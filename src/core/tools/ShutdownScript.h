#pragma once

#include <QByteArray>
#include <QStringList>

// The scripts behind the five buttons of 定时关机. The program schedules
// nothing itself: each button writes a short script that runs the system's
// own commands and deletes itself at the end, and starts it in a window the
// user sees or hidden.
class ShutdownScript {
public:
    enum class Action { Schedule, List, Now, Cancel, Abort };
    enum class System { Linux, Windows };

    // close.sh or close.bat.
    static QString fileName(System system);
    // The script's lines; hour and minute as the boxes show them ("07", "05").
    static QStringList lines(Action action, System system, const QString& hour = {}, const QString& minute = {});
    // The file's bytes: LF and UTF-8 for a shell, CR LF in the Windows code
    // page (GBK for Chinese Windows) for cmd.
    static QByteArray bytes(const QStringList& lines, System system);
    // Whether the user sees the script's window: the variants that list the
    // scheduled shutdown and wait for a key.
    static bool shown(Action action);
    // The explanatory text of the window, thirteen lines naming the commands.
    static QStringList explanation(System system);

    static System thisSystem();
};
