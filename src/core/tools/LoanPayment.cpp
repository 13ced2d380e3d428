#include "core/tools/LoanPayment.h"

#include <QRegularExpression>
#include <cmath>

std::optional<double> LoanPayment::parseNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool LoanPayment::termAccepted(double years)
{
    return years >= 1.0; // false for NaN as well
}

double LoanPayment::monthly(double principal, double annualRate, double months)
{
    const double m = annualRate / 12.0;
    if (m == 0.0) {
        return principal / months;
    }
    if (!(m > -1.0)) {
        return std::nan("");
    }
    // P·m·(1+m)^n / ((1+m)^n − 1), written as P·m / (1 − (1+m)^−n): the same
    // value, without overflow for very long terms or loss for tiny rates.
    const double shrink = -std::expm1(-months * std::log1p(m));
    return principal * m / shrink;
}

QString LoanPayment::twoDecimals(double value)
{
    double rounded = std::round(value * 100.0) / 100.0;
    if (rounded == 0.0) {
        rounded = 0.0; // drop the sign of a negative zero
    }
    return QString::number(rounded, 'f', 2);
}

QString LoanPayment::resultLine(const QString& jine, const QString& lilv, const QString& zhekou, const QString& nian,
                                const QString& yuegong)
{
    return QStringLiteral("贷款金额：") + jine + QStringLiteral("万元\t基准利率：") + lilv +
           QStringLiteral("\t利率折扣：") + zhekou + QStringLiteral("\t贷款年限：") + nian +
           QStringLiteral("年\t月供金额：") + yuegong + QStringLiteral("元");
}
