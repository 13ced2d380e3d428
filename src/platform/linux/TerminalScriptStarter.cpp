#include "platform/linux/TerminalScriptStarter.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {
struct Terminal {
    const char* program;
    // What the terminal takes before the command it is to run.
    const char* runOption;
};

const Terminal kTerminals[] = {
    {"x-terminal-emulator", "-e"}, {"gnome-terminal", "--"}, {"konsole", "-e"},
    {"xfce4-terminal", "-x"},      {"xterm", "-e"},
};
} // namespace

QStringList TerminalScriptStarter::terminalCommand(const QString& script)
{
    for (const Terminal& terminal : kTerminals) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(terminal.program));
        if (!found.isEmpty()) {
            return {found, QString::fromLatin1(terminal.runOption), QStringLiteral("sh"), script};
        }
    }
    return {};
}

bool TerminalScriptStarter::start(const QString& script, bool shown)
{
    const QString folder = QFileInfo(script).absolutePath();
    QStringList command = shown ? terminalCommand(script) : QStringList();
    if (command.isEmpty()) {
        // Hidden, or no terminal to show it in: the script runs on its own; a
        // prompt for Enter then reads the end of its empty input and goes on.
        command = {QStringLiteral("sh"), script};
    }
    QProcess process;
    process.setProgram(command.takeFirst());
    process.setArguments(command);
    process.setWorkingDirectory(folder);
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}
