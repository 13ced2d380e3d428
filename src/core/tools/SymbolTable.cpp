#include "core/tools/SymbolTable.h"

namespace {
void addRange(QStringList& out, char16_t first, char16_t last)
{
    for (char16_t c = first; c <= last; ++c) {
        out << QString(QChar(c));
    }
}

void addEach(QStringList& out, const QString& characters)
{
    for (QChar c : characters) {
        out << QString(c);
    }
}
} // namespace

QStringList SymbolTable::table()
{
    QStringList out;
    addRange(out, u'\u2190', u'\u2193');
    addRange(out, u'\u2196', u'\u2199');
    addEach(out, QStringLiteral("∈∏∑∕√∝∞∟∠∣∥∧∨∩∪∫∮∴∵∶∷∽≈≌≒≠≡≤≥≦≧≮≯⊕⊙⊥⊿⌒"));
    addRange(out, u'\u2460', u'\u2469');
    addRange(out, u'\u2474', u'\u247D');
    addEach(out, QStringLiteral("▔▁▕■□▲△▼▽◆◇○◎●◢◣◤◥★☆☉♀♂℃℉"));
    addRange(out, u'A', u'Z');
    addRange(out, u'a', u'z');
    addRange(out, u'\uFF21', u'\uFF3A');
    addRange(out, u'\uFF41', u'\uFF5A');
    const QString keys = QStringLiteral("`1234567890-=[];'\\,./~!@#$%^&*()_+{}:\"|<>?");
    addEach(out, keys);
    for (QChar c : keys) {
        out << QString(QChar(char16_t(c.unicode() + 0xFEE0)));
    }
    addEach(out, QStringLiteral("【】《》：\"\"？"));
    return out;
}
