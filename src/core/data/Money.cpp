#include "core/data/Money.h"

#include <QRegularExpression>
#include <stdexcept>

Money Money::fromUnits(qint64 tenThousandths)
{
    Money money;
    money.m_units = tenThousandths;
    return money;
}

std::optional<Money> Money::plus(Money other) const
{
    qint64 sum = 0;
    if (__builtin_add_overflow(m_units, other.m_units, &sum) || sum < -kMaxUnits) {
        return std::nullopt;
    }
    return fromUnits(sum);
}

Money Money::operator+(Money other) const
{
    const std::optional<Money> sum = plus(other);
    if (!sum) {
        throw std::overflow_error("amount out of range");
    }
    return *sum;
}

std::optional<Money> Money::parse(const QString& input, bool* outOfRange)
{
    if (outOfRange) {
        *outOfRange = false;
    }
    static const QRegularExpression shape(QStringLiteral("^([+-]?)([0-9]*)(?:\\.([0-9]*))?$"));
    const QRegularExpressionMatch match = shape.match(input.trimmed());
    if (!match.hasMatch() || match.capturedLength(2) + match.capturedLength(3) == 0) {
        return std::nullopt;
    }
    const QString fraction = match.captured(3);
    // Ten-thousandths: the whole digits, four decimals, and the fifth for rounding.
    const QString digits = match.captured(2) + fraction.left(4).leftJustified(4, QLatin1Char('0'));
    qint64 units = 0;
    bool fits = true;
    for (const QChar c : digits) {
        const int digit = c.unicode() - '0';
        if (units > (kMaxUnits - digit) / 10) {
            fits = false;
            break;
        }
        units = units * 10 + digit;
    }
    if (fits && fraction.size() > 4 && fraction[4] >= QLatin1Char('5')) {
        fits = units < kMaxUnits;
        ++units;
    }
    if (!fits) {
        if (outOfRange) {
            *outOfRange = true;
        }
        return std::nullopt;
    }
    return fromUnits(match.captured(1) == QLatin1String("-") ? -units : units);
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
