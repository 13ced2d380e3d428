#include "platform/linux/DesktopEntry.h"

#include "core/data/AtomicFile.h"
#include "core/data/TextFile.h"

#include <QFile>

QString DesktopEntry::escapeValue(const QString& value)
{
    QString escaped;
    for (const QChar c : value) {
        if (c == QLatin1Char('\\')) {
            escaped += QStringLiteral("\\\\");
        } else if (c == QLatin1Char('\n')) {
            escaped += QStringLiteral("\\n");
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QString DesktopEntry::quoteArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

QString DesktopEntry::text() const
{
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.0\n");
    text += QStringLiteral("Name=") + escapeValue(name) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + escapeValue(exec) + QLatin1Char('\n');
    if (!workingFolder.isEmpty()) {
        text += QStringLiteral("Path=") + escapeValue(workingFolder) + QLatin1Char('\n');
    }
    text += QStringLiteral("Terminal=false\n") + extra;
    return text;
}

bool DesktopEntry::write(const QString& path, QString* error) const
{
    return AtomicFile::writeAll(path, text().toUtf8(), error);
}

std::optional<QString> DesktopEntry::readValue(const QString& path, const QString& key)
{
    const std::optional<QString> text = TextFile::read(path);
    if (!text) {
        return std::nullopt;
    }
    bool inMainGroup = false;
    for (const QString& line : text->split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line.trimmed() == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inMainGroup || equals < 0 || line.left(equals).trimmed() != key) {
            continue;
        }
        const QString raw = line.mid(equals + 1).trimmed();
        QString value;
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] == QLatin1Char('\\') && i + 1 < raw.size()) {
                const char16_t next = raw[++i].unicode();
                switch (next) {
                case u's':
                    value += QLatin1Char(' ');
                    break;
                case u'n':
                    value += QLatin1Char('\n');
                    break;
                case u't':
                    value += QLatin1Char('\t');
                    break;
                case u'r':
                    value += QLatin1Char('\r');
                    break;
                case u'\\':
                    value += QLatin1Char('\\');
                    break;
                default:
                    value += QLatin1Char('\\');
                    value += QChar(next);
                }
            } else {
                value += raw[i];
            }
        }
        return value;
    }
    return std::nullopt;
}
