#include "core/xls/XlsSharedStrings.h"

#include "core/xls/BiffRecord.h"

#include <algorithm>

using namespace biff;

quint32 XlsSharedStrings::add(QStringView text)
{
    ++m_references;
    if ((m_entries.size() + 1) * 2 > m_slots.size()) {
        rehash(std::max<size_t>(1024, m_slots.size() * 2));
    }
    const auto hash = quint32(qHash(text));
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const quint32 stored = m_slots[slot];
        if (stored == 0) {
            m_entries.push_back({qint64(m_chars.size()), qint32(text.size()), hash});
            m_chars.insert(m_chars.end(), text.utf16(), text.utf16() + text.size());
            m_slots[slot] = quint32(m_entries.size());
            return quint32(m_entries.size() - 1);
        }
        const Entry& entry = m_entries[stored - 1];
        if (entry.hash == hash && QStringView(m_chars.data() + entry.offset, entry.length) == text) {
            return stored - 1;
        }
    }
}

void XlsSharedStrings::rehash(size_t slotCount)
{
    m_slots.assign(slotCount, 0);
    const size_t mask = slotCount - 1;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        size_t slot = m_entries[i].hash & mask;
        while (m_slots[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        m_slots[slot] = quint32(i + 1);
    }
}

void XlsSharedStrings::appendRecords(QByteArray& stream) const
{
    const auto unique = quint32(m_entries.size());
    // The index notes where every bucketSize-th string starts, in at most 128 buckets as Excel keeps it.
    const quint32 bucketSize = std::max<quint32>(8, (unique + 127) / 128);
    QByteArray index;
    add16(index, quint16(bucketSize));

    const qsizetype estimate = qsizetype(m_chars.size()) * 2 + qsizetype(unique) * 3;
    stream.reserve(stream.size() + estimate + estimate / kMaxRecordData * 5 + 64);
    qsizetype recordStart = stream.size();
    int used = 8;
    add16(stream, kSst);
    add16(stream, 0);
    add32(stream, m_references);
    add32(stream, unique);
    const auto closeRecord = [&] { put16(stream.data() + recordStart + 2, quint16(used)); };
    const auto openContinue = [&] {
        closeRecord();
        recordStart = stream.size();
        add16(stream, kContinue);
        add16(stream, 0);
        used = 0;
    };

    for (quint32 i = 0; i < unique; ++i) {
        const Entry& entry = m_entries[i];
        // A string's length and flags never straddle two records, and at least one character goes with them.
        if (kMaxRecordData - used < 5) {
            openContinue();
        }
        if (i % bucketSize == 0) {
            add32(index, quint32(stream.size()));
            add16(index, quint16(stream.size() - recordStart));
            add16(index, 0);
        }
        add16(stream, quint16(entry.length));
        stream.append(kUtf16Flag);
        used += 3;
        const char16_t* chars = m_chars.data() + entry.offset;
        qint32 left = entry.length;
        for (;;) {
            const qint32 fitting = std::min(left, (kMaxRecordData - used) / 2);
            addUtf16(stream, chars, fitting);
            used += fitting * 2;
            chars += fitting;
            left -= fitting;
            if (left == 0) {
                break;
            }
            // The rest goes on in the next record, which starts again with the flags byte.
            openContinue();
            stream.append(kUtf16Flag);
            used = 1;
        }
    }
    closeRecord();
    addRecord(stream, kExtSst, index);
}
