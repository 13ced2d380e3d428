#pragma once

#include <QByteArray>
#include <vector>

// The toneless pinyin of each common CJK ideograph ("li" for 李), read from
// ICU's Han-Latin transliterator once, on first use. ICU gives one reading per
// character, which is what a search box needs.
class PinyinTable {
public:
    // The table of the running program; built on the first call (thread-safe).
    static const PinyinTable& instance();
    // Starts building the table on a thread of its own, so that the first
    // search finds it ready; instance() waits for it if needed.
    static void prepareInBackground();

    // Lower-case ASCII letters, or empty for a character without a reading.
    QByteArray reading(char32_t ch) const;

    static bool isHan(char32_t ch);

    int size() const; // characters with a reading

private:
    PinyinTable();

    static constexpr int kSlot = 8; // the longest reading, "zhuang", and a NUL
    std::vector<char> m_slots;      // kSlot bytes per code point of the covered blocks
};
