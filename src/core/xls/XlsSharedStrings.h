#pragma once

#include <QByteArray>
#include <QStringView>
#include <vector>

// The shared string table: every distinct text is stored once and cells refer to it by number. Texts are
// kept in one character array with an open-addressing index, so a large export costs little beyond its
// characters.
class XlsSharedStrings {
public:
    quint32 add(QStringView text);
    // Appends the table and its index; stream holds the workbook stream from its first byte.
    void appendRecords(QByteArray& stream) const;

private:
    struct Entry {
        qint64 offset;
        qint32 length;
        quint32 hash;
    };

    void rehash(size_t slotCount);

    std::vector<char16_t> m_chars;
    std::vector<Entry> m_entries;
    std::vector<quint32> m_slots; // entry number + 1; 0 is a free slot
    quint32 m_references = 0;
};
