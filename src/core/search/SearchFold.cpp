#include "core/search/SearchFold.h"

#include "core/search/PinyinTable.h"

QString SearchFold::text(QStringView text)
{
    QString folded;
    folded.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) {
            c = QChar(char16_t(u - 0xFEE0)); // full-width ASCII
        } else if (u == 0x3000) {
            c = QChar(u' ');
        } else if (u < 0x20 || u == 0x7F) {
            continue;
        }
        folded += c;
    }
    return folded.toCaseFolded();
}

bool SearchFold::pinyin(QStringView folded, const PinyinTable& table, Pinyin* out)
{
    out->initials.clear();
    out->full.clear();
    bool han = false;
    for (qsizetype i = 0; i < folded.size(); ++i) {
        char32_t ch = folded[i].unicode();
        if (QChar::isHighSurrogate(ch) && i + 1 < folded.size() && folded[i + 1].isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(folded[i], folded[i + 1]);
            ++i;
        }
        if ((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9')) {
            out->initials += char(ch);
            out->full += char(ch);
            continue;
        }
        const QByteArray reading = table.reading(ch);
        if (!reading.isEmpty()) {
            han = true;
            out->initials += reading.front();
            out->full += reading;
        }
    }
    return han;
}
