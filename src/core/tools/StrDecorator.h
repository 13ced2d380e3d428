#pragma once

#include <QStringList>

// The seven decorated variants of some lines of text. Lines are taken as
// sequences of characters: a Chinese character counts as one, and so does a
// character outside the basic plane (a surrogate pair).
class StrDecorator {
public:
    // The lines of a multi-line box's text, as the box lists them: no text is
    // no line, and a final line break does not start another line.
    static QStringList linesOf(const QString& text);

    static QStringList characters(const QString& line);

    static QStringList withSymbol(const QStringList& lines, const QString& symbol);         // A★B★C★
    static QStringList reversedWithSymbol(const QStringList& lines, const QString& symbol); // C★B★A★
    static QStringList doubled(const QStringList& lines);                                   // AABBCC
    static QStringList reversedDoubled(const QStringList& lines);                           // CCBBAA
    static QStringList reversed(const QStringList& lines);                                  // CBA

    // Vertical text: one row per character position; a line too short for a
    // row gives two spaces. Left to right puts the first line in the leftmost
    // column, right to left in the rightmost. No rows when every line is empty.
    static QStringList verticalLeftToRight(const QStringList& lines);
    static QStringList verticalRightToLeft(const QStringList& lines);
};
