#pragma once

#include <QString>
#include <optional>

// The fixed monthly payment of a loan repaid in equal monthly instalments.
// The term may be fractional: its months are a real exponent.
class LoanPayment {
public:
    // A number as the calculator's boxes hold it: optional sign, digits, at
    // most one decimal point. Anything else (also empty text) is no number.
    static std::optional<double> parseNumber(const QString& text);

    // A term shorter than one year is refused.
    static bool termAccepted(double years);

    // principal in yuan, annualRate as a fraction (0.0524), months as a real
    // number. An interest-free loan pays principal / months; the formula
    // itself would divide zero by zero there. NaN when the rate is so negative
    // that the loan can never be repaid.
    static double monthly(double principal, double annualRate, double months);

    // "0.00": two decimals, no thousands separator, never "-0.00".
    static QString twoDecimals(double value);

    // The line the window appends to its result list, from the boxes' texts.
    static QString resultLine(const QString& jine, const QString& lilv, const QString& zhekou, const QString& nian,
                              const QString& yuegong);
};
