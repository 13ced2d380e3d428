#include "core/data/WholeNumber.h"

#include <limits>

std::optional<int> WholeNumber::parse(const QString& text)
{
    qsizetype pos = 0;
    while (pos < text.size() && text[pos] == QLatin1Char(' ')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == QLatin1Char('-') || text[pos] == QLatin1Char('+'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    if (pos == text.size()) {
        return std::nullopt;
    }
    qint64 value = 0;
    for (; pos < text.size(); ++pos) {
        const char16_t c = text[pos].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return int(value);
}
