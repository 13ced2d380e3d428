#include "core/data/TextFile.h"

#include "core/data/AtomicFile.h"

#include <QFile>
#include <QStringDecoder>

QString TextFile::decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    QStringDecoder gbk("GB18030");
    if (gbk.isValid()) {
        return gbk.decode(bytes);
    }
    return QString::fromLatin1(bytes);
}

std::optional<QString> TextFile::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QString text = decode(file.readAll());
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // The last line's end does not start another line.
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text;
}

bool TextFile::write(const QString& path, const QString& text, QString* error)
{
    QByteArray bytes;
    if (!text.isEmpty()) {
        QStringList lines = text.split(QLatin1Char('\n'));
        if (lines.size() > 1 && lines.last().isEmpty()) {
            lines.removeLast();
        }
        for (const QString& line : lines) {
            bytes += line.toUtf8() + "\r\n";
        }
    }
    return AtomicFile::writeAll(path, bytes, error);
}
