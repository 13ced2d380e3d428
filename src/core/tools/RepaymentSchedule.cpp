#include "core/tools/RepaymentSchedule.h"

#include "core/data/Money.h"
#include "core/tools/LoanPayment.h"

#include <algorithm>
#include <cmath>

QString RepaymentSchedule::refusal(double jine, double annualRate, double years)
{
    if (!LoanPayment::termAccepted(years)) {
        return QStringLiteral("贷款年限不能小于1年！");
    }
    if (years * 12.0 > kMaxMonths) {
        return QStringLiteral("还款计划最多列出%1期（%2年）！").arg(kMaxMonths).arg(kMaxMonths / 12);
    }
    if (!(jine > 0.0)) {
        return QStringLiteral("贷款金额必须大于0！");
    }
    if (jine > kMaxJine) {
        return QStringLiteral("贷款金额过大，无法列出还款计划！");
    }
    if (!(annualRate >= 0.0) || !std::isfinite(annualRate)) {
        return QStringLiteral("利率不能小于0！");
    }
    return {};
}

int RepaymentSchedule::monthsOf(double years)
{
    return int(std::lround(years * 12.0));
}

qint64 RepaymentSchedule::fenOf(double jine)
{
    return std::llround(jine * 1000000.0);
}

RepaymentSchedule::RepaymentSchedule(Method method, qint64 principal, double annualRate, int months)
    : m_method(method)
    , m_principal(principal)
{
    if (months < 1 || principal <= 0) {
        return;
    }
    const double rate = annualRate / 12.0;
    const qint64 instalment = std::llround(LoanPayment::monthly(double(principal), annualRate, double(months)));
    m_months.reserve(size_t(months));
    qint64 balance = principal;
    for (int k = 1; k <= months; ++k) {
        Month month;
        month.number = k;
        month.interest = std::llround(double(balance) * rate);
        if (k == months) {
            month.principal = balance;
        } else if (method == Method::EqualInstalments) {
            month.principal = std::clamp(instalment - month.interest, qint64(0), balance);
        } else {
            // Spread the fen that do not divide evenly: k·P/n − (k−1)·P/n.
            month.principal = principal * k / months - principal * (k - 1) / months;
        }
        month.payment = month.principal + month.interest;
        balance -= month.principal;
        month.balance = balance;
        m_totalInterest += month.interest;
        m_months.push_back(month);
    }
}

QString RepaymentSchedule::yuan(qint64 fen)
{
    return Money::fromUnits(fen * (Money::kScale / 100)).toFixed(2);
}
