#include "core/tools/StrDecorator.h"

#include <algorithm>
#include <functional>

namespace {
using Piece = std::function<QString(const QString& character)>;

QStringList eachLine(const QStringList& lines, bool reverse, const Piece& piece)
{
    QStringList result;
    result.reserve(lines.size());
    for (const QString& line : lines) {
        QStringList chars = StrDecorator::characters(line);
        if (reverse) {
            std::reverse(chars.begin(), chars.end());
        }
        QString out;
        for (const QString& character : chars) {
            out += piece(character);
        }
        result << out;
    }
    return result;
}

QStringList vertical(const QStringList& lines, bool firstLineLeft)
{
    QList<QStringList> columns;
    qsizetype rows = 0;
    for (const QString& line : lines) {
        columns << StrDecorator::characters(line);
        rows = std::max(rows, columns.last().size());
    }
    QStringList result;
    for (qsizetype i = 0; i < rows; ++i) {
        QString row;
        for (const QStringList& column : columns) {
            const QString piece = i < column.size() ? column[i] : QStringLiteral("  ");
            row = firstLineLeft ? row + piece : piece + row;
        }
        result << row;
    }
    return result;
}
} // namespace

QStringList StrDecorator::linesOf(const QString& text)
{
    if (text.isEmpty()) {
        return {};
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n'))) {
        lines.removeLast();
    }
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    return lines;
}

QStringList StrDecorator::characters(const QString& line)
{
    QStringList result;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const bool pair = line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate();
        result << line.mid(i, pair ? 2 : 1);
        if (pair) {
            ++i;
        }
    }
    return result;
}

QStringList StrDecorator::withSymbol(const QStringList& lines, const QString& symbol)
{
    return eachLine(lines, false, [&](const QString& c) { return c + symbol; });
}

QStringList StrDecorator::reversedWithSymbol(const QStringList& lines, const QString& symbol)
{
    return eachLine(lines, true, [&](const QString& c) { return c + symbol; });
}

QStringList StrDecorator::doubled(const QStringList& lines)
{
    return eachLine(lines, false, [](const QString& c) { return c + c; });
}

QStringList StrDecorator::reversedDoubled(const QStringList& lines)
{
    return eachLine(lines, true, [](const QString& c) { return c + c; });
}

QStringList StrDecorator::reversed(const QStringList& lines)
{
    return eachLine(lines, true, [](const QString& c) { return c; });
}

QStringList StrDecorator::verticalLeftToRight(const QStringList& lines)
{
    return vertical(lines, true);
}

QStringList StrDecorator::verticalRightToLeft(const QStringList& lines)
{
    return vertical(lines, false);
}
