#pragma once

#include <QByteArray>
#include <QString>

class PinyinTable;

// How a cell and a typed search text are made comparable: letters in one
// case, full-width forms as their ASCII counterparts, and for Chinese text
// its pinyin initials (李明 -> "lm") and its whole toneless pinyin ("liming").
class SearchFold {
public:
    // Case folded, full-width ASCII and the ideographic space as ASCII,
    // control characters dropped.
    static QString text(QStringView text);

    struct Pinyin {
        QByteArray initials;
        QByteArray full;
    };

    // Both pinyin forms of already folded text, or nothing (false) when it
    // holds no character with a reading. ASCII letters and digits are kept,
    // other characters and spaces left out, so "李 明" reads "liming".
    static bool pinyin(QStringView folded, const PinyinTable& table, Pinyin* out);
};
