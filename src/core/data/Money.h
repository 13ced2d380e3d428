#pragma once

#include <QString>
#include <optional>

// Exact fixed-point amount with four decimals, stored as ten-thousandths in a
// 64-bit integer, so that sums never show binary rounding.
class Money {
public:
    static constexpr qint64 kScale = 10000;

    Money() = default;
    static Money fromUnits(qint64 tenThousandths);

    // Accepts an optional sign, digits and at most one decimal point; more than
    // four decimals are rounded half away from zero. Empty or bad text, or a value
    // beyond 19 significant digits, gives nullopt.
    static std::optional<Money> parse(const QString& text);

    qint64 units() const { return m_units; }

    double toDouble() const { return double(m_units) / double(kScale); }

    // Exact, as an amount is read: at least two decimals, more only when the
    // value has them ("12.50", "-3.00", "0.0001").
    QString toString() const;

    // Always with the given number of decimals (rounded half away from zero).
    QString toFixed(int decimals) const;

    Money operator+(Money other) const { return fromUnits(m_units + other.m_units); }

    bool operator==(const Money&) const = default;

private:
    qint64 m_units = 0;
};
