#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

class PinyinTable;

// The shown texts of a list's rows, folded once, so that each keystroke in a
// search box is a scan of two flat buffers: the texts themselves, and the
// pinyin forms of the cells that hold Chinese. A row matches when any of its
// cells holds the typed text in one of those forms.
class SearchIndex {
public:
    using Cell = std::function<QString(int row, int column)>;

    SearchIndex() = default;

    void build(int rows, int columns, const Cell& cell, const PinyinTable& table);
    void clear();

    int rowCount() const { return m_rows; }

    // One flag per row; every row for an empty or blank search.
    std::vector<char> match(const QString& typed) const;

private:
    void scan(const char* data, qsizetype bytes, const QByteArray& needle, int unit,
              const std::vector<qsizetype>& starts, std::vector<char>& hits) const;

    int m_rows = 0;
    QString m_text;                     // every cell folded, each followed by a separator
    std::vector<qsizetype> m_textStart; // where each row begins, in characters; one more at the end
    QByteArray m_pinyin;                // initials and full pinyin of Chinese cells
    std::vector<qsizetype> m_pinyinStart;
};
