#include "core/data/Money.h"

#include <limits>

Money Money::fromUnits(qint64 tenThousandths)
{
    Money money;
    money.m_units = tenThousandths;
    return money;
}

std::optional<Money> Money::parse(const QString& input)
{
    const QString text = input.trimmed();
    int pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == QLatin1Char('-') || text[pos] == QLatin1Char('+'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    // Accumulate ten-thousandths with overflow checks: at most 19 significant digits fit.
    constexpr qint64 maxUnits = std::numeric_limits<qint64>::max();
    qint64 units = 0;
    int digits = 0;
    int decimals = 0;
    bool seenPoint = false;
    int roundDigit = -1;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (!c.isDigit() || c.unicode() > '9') {
            return std::nullopt;
        }
        const int digit = c.unicode() - '0';
        ++digits;
        if (seenPoint) {
            if (decimals == 4) {
                if (roundDigit < 0) {
                    roundDigit = digit;
                }
                continue;
            }
            ++decimals;
        }
        if (units > (maxUnits - digit) / 10) {
            return std::nullopt;
        }
        units = units * 10 + digit;
    }
    if (digits == 0) {
        return std::nullopt;
    }
    for (; decimals < 4; ++decimals) {
        if (units > maxUnits / 10) {
            return std::nullopt;
        }
        units *= 10;
    }
    if (roundDigit >= 5) {
        if (units == maxUnits) {
            return std::nullopt;
        }
        ++units;
    }
    return fromUnits(negative ? -units : units);
}

QString Money::toString() const
{
    QString text = toFixed(4);
    // Drop trailing zeros of the third and fourth decimal only.
    for (int i = 0; i < 2 && text.endsWith(QLatin1Char('0')); ++i) {
        text.chop(1);
    }
    return text;
}

QString Money::toFixed(int decimals) const
{
    decimals = qBound(0, decimals, 4);
    qint64 divisor = 1;
    for (int i = decimals; i < 4; ++i) {
        divisor *= 10;
    }
    const bool negative = m_units < 0;
    // Negate in unsigned space so that the smallest value does not overflow.
    quint64 magnitude = negative ? quint64(0) - quint64(m_units) : quint64(m_units);
    magnitude = (magnitude + quint64(divisor / 2)) / quint64(divisor);
    quint64 scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    QString text = QString::number(magnitude / scale);
    if (decimals > 0) {
        text += QLatin1Char('.') + QString::number(magnitude % scale).rightJustified(decimals, QLatin1Char('0'));
    }
    if (negative && magnitude != 0) {
        text.prepend(QLatin1Char('-'));
    }
    return text;
}
