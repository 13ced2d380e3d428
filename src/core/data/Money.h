#pragma once

#include <QString>
#include <limits>
#include <optional>

// Exact fixed-point amount with four decimals, stored as ten-thousandths in a
// 64-bit integer, so that sums never show binary rounding.
class Money {
public:
    static constexpr qint64 kScale = 10000;
    // The range is symmetric so that negating an amount never overflows:
    // ±922337203685477.5807.
    static constexpr qint64 kMaxUnits = std::numeric_limits<qint64>::max();

    Money() = default;
    static Money fromUnits(qint64 tenThousandths);

    // Accepts an optional sign, digits and at most one decimal point; more than
    // four decimals are rounded half away from zero. Empty or bad text, or a value
    // past ±kMaxUnits, gives nullopt; outOfRange tells the latter apart.
    static std::optional<Money> parse(const QString& text, bool* outOfRange = nullptr);

    // The largest amount, as text, for messages.
    static QString maxText() { return fromUnits(kMaxUnits).toString(); }

    qint64 units() const { return m_units; }

    double toDouble() const { return double(m_units) / double(kScale); }

    // Exact, as an amount is read: at least two decimals, more only when the
    // value has them ("12.50", "-3.00", "0.0001").
    QString toString() const;

    // Always with the given number of decimals (rounded half away from zero).
    QString toFixed(int decimals) const;

    // nullopt when the sum is past the range.
    std::optional<Money> plus(Money other) const;
    // For sums that cannot leave the range; past it, throws std::overflow_error
    // rather than wrap into a wrong figure.
    Money operator+(Money other) const;

    bool operator==(const Money&) const = default;

private:
    qint64 m_units = 0;
};
