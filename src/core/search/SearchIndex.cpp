#include "core/search/SearchIndex.h"

#include "core/search/PinyinTable.h"
#include "core/search/SearchFold.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {
const char* findBytes(const char* haystack, size_t size, const char* needle, size_t length)
{
#if defined(__GLIBC__)
    return static_cast<const char*>(memmem(haystack, size, needle, length));
#else
    const char* found =
        std::search(haystack, haystack + size, std::boyer_moore_horspool_searcher(needle, needle + length));
    return found == haystack + size ? nullptr : found;
#endif
}

// Never part of a folded text, so a match cannot run from one cell into the next.
constexpr char16_t kSeparator = 0x1F;
} // namespace

void SearchIndex::clear()
{
    m_rows = 0;
    m_text.clear();
    m_textStart.clear();
    m_pinyin.clear();
    m_pinyinStart.clear();
}

void SearchIndex::build(int rows, int columns, const Cell& cell, const PinyinTable& table)
{
    clear();
    m_rows = rows;
    m_textStart.reserve(size_t(rows) + 1);
    m_pinyinStart.reserve(size_t(rows) + 1);
    SearchFold::Pinyin pinyin;
    for (int row = 0; row < rows; ++row) {
        m_textStart.push_back(m_text.size());
        m_pinyinStart.push_back(m_pinyin.size());
        for (int column = 0; column < columns; ++column) {
            const QString folded = SearchFold::text(cell(row, column));
            m_text += folded;
            m_text += QChar(kSeparator);
            if (SearchFold::pinyin(folded, table, &pinyin)) {
                m_pinyin += pinyin.initials;
                m_pinyin += char(kSeparator);
                m_pinyin += pinyin.full;
                m_pinyin += char(kSeparator);
            }
        }
    }
    m_textStart.push_back(m_text.size());
    m_pinyinStart.push_back(m_pinyin.size());
}

std::vector<char> SearchIndex::match(const QString& typed) const
{
    const QString folded = SearchFold::text(typed).trimmed();
    if (folded.isEmpty()) {
        return std::vector<char>(size_t(m_rows), 1);
    }
    std::vector<char> hits(size_t(m_rows), 0);
    const QByteArray text(reinterpret_cast<const char*>(folded.utf16()), folded.size() * qsizetype(sizeof(char16_t)));
    scan(reinterpret_cast<const char*>(m_text.utf16()), m_text.size() * qsizetype(sizeof(char16_t)), text,
         sizeof(char16_t), m_textStart, hits);

    // Pinyin is typed with or without spaces between the syllables.
    QString letters = folded;
    letters.remove(QLatin1Char(' '));
    bool ascii = true;
    for (const QChar c : letters) {
        ascii = ascii && c.unicode() < 0x80;
    }
    if (ascii && !letters.isEmpty()) {
        scan(m_pinyin.constData(), m_pinyin.size(), letters.toLatin1(), 1, m_pinyinStart, hits);
    }
    return hits;
}

void SearchIndex::scan(const char* data, qsizetype bytes, const QByteArray& needle, int unit,
                       const std::vector<qsizetype>& starts, std::vector<char>& hits) const
{
    const char* at = data;
    const char* const end = data + bytes;
    while (at < end) {
        const char* found = findBytes(at, size_t(end - at), needle.constData(), size_t(needle.size()));
        if (!found) {
            return;
        }
        const qsizetype offset = found - data;
        if (offset % unit != 0) {
            at = found + 1; // half of one character and half of the next
            continue;
        }
        // The row holding the match; the search goes on at the next row.
        const qsizetype position = offset / unit;
        const auto next = std::upper_bound(starts.begin(), starts.end(), position);
        const auto row = size_t(next - starts.begin()) - 1;
        hits[row] = 1;
        if (next == starts.end()) {
            return;
        }
        at = data + *next * unit;
    }
}
