#include "core/search/PinyinTable.h"

#include <QString>
#include <future>
#include <memory>
#include <unicode/translit.h>
#include <unicode/unistr.h>

namespace {
// CJK Unified Ideographs with Extension A, and the compatibility ideographs:
// the characters of names and addresses typed on a Chinese keyboard.
struct Block {
    char32_t first;
    char32_t last;
};

constexpr Block kBlocks[] = {{0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xF900, 0xFAFF}};

int slotOf(char32_t ch)
{
    int base = 0;
    for (const Block& block : kBlocks) {
        if (ch >= block.first && ch <= block.last) {
            return base + int(ch - block.first);
        }
        base += int(block.last - block.first + 1);
    }
    return -1;
}

constexpr int kCovered = (0x4DBF - 0x3400 + 1) + (0x9FFF - 0x4E00 + 1) + (0xFAFF - 0xF900 + 1);
} // namespace

const PinyinTable& PinyinTable::instance()
{
    static const PinyinTable table;
    return table;
}

void PinyinTable::prepareInBackground()
{
    // The future's destructor at exit waits for a build still running.
    static std::future<void> building = std::async(std::launch::async, [] { instance(); });
}

PinyinTable::PinyinTable()
    : m_slots(size_t(kCovered) * kSlot, '\0')
{
    UErrorCode status = U_ZERO_ERROR;
    // Han-Latin alone: dropping the tone marks by decomposition is quicker than ICU's Latin-ASCII.
    const std::unique_ptr<icu::Transliterator> toLatin(
        icu::Transliterator::createInstance(icu::UnicodeString::fromUTF8("Han-Latin"), UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !toLatin) {
        return; // without ICU's data the search still finds the characters themselves
    }
    // One pass over all characters, a line each: Han-Latin reads phrases, and
    // the line breaks keep every character on its own.
    icu::UnicodeString text;
    for (const Block& block : kBlocks) {
        for (char32_t ch = block.first; ch <= block.last; ++ch) {
            text.append(UChar32(ch));
            text.append(u'\n');
        }
    }
    toLatin->transliterate(text);
    const QString latin = QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length())
                              .normalized(QString::NormalizationForm_D);

    int slot = 0;
    QByteArray reading;
    bool letters = true;
    for (const QChar c : latin) {
        if (c == u'\n') {
            if (letters && !reading.isEmpty() && reading.size() < kSlot && slot < kCovered) {
                std::copy(reading.begin(), reading.end(), m_slots.begin() + qsizetype(slot) * kSlot);
            }
            if (++slot >= kCovered) {
                break;
            }
            reading.clear();
            letters = true;
        } else if (c >= u'a' && c <= u'z') {
            reading += char(c.unicode());
        } else if (c >= u'A' && c <= u'Z') {
            reading += char(c.toLower().unicode());
        } else if (c.category() != QChar::Mark_NonSpacing && c != u' ') {
            letters = false; // left untransliterated: no reading
        }
    }
}

bool PinyinTable::isHan(char32_t ch)
{
    return slotOf(ch) >= 0;
}

QByteArray PinyinTable::reading(char32_t ch) const
{
    const int slot = slotOf(ch);
    if (slot < 0) {
        return {};
    }
    return QByteArray(m_slots.data() + qsizetype(slot) * kSlot);
}

int PinyinTable::size() const
{
    int count = 0;
    for (int slot = 0; slot < kCovered; ++slot) {
        count += m_slots[size_t(slot) * kSlot] != '\0' ? 1 : 0;
    }
    return count;
}
