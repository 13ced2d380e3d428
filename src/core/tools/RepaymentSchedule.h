#pragma once

#include <QString>
#include <vector>

// Month by month repayment of a loan, in whole fen so that the principals add
// up to the loan exactly: each month's interest is the balance times the
// monthly rate rounded to the fen, and the last month repays what is left.
class RepaymentSchedule {
public:
    enum class Method {
        EqualInstalments, // 等额本息: the same payment every month
        EqualPrincipal,   // 等额本金: the same share of principal every month
    };

    struct Month {
        int number = 0; // 1-based
        qint64 payment = 0;
        qint64 principal = 0;
        qint64 interest = 0;
        qint64 balance = 0; // still owed after this month
    };

    static constexpr int kMaxMonths = 1200;
    static constexpr double kMaxJine = 1e8; // 万元

    // Why a schedule cannot be drawn for these inputs (jine in 万元, the
    // annual rate as a fraction, the term in years), or an empty text.
    static QString refusal(double jine, double annualRate, double years);

    // A term's months, rounded to whole months.
    static int monthsOf(double years);

    static qint64 fenOf(double jine);

    RepaymentSchedule(Method method, qint64 principal, double annualRate, int months);

    Method method() const { return m_method; }

    const std::vector<Month>& months() const { return m_months; }

    qint64 principal() const { return m_principal; }

    qint64 totalInterest() const { return m_totalInterest; }

    qint64 totalPayment() const { return m_principal + m_totalInterest; }

    // "1234.56"
    static QString yuan(qint64 fen);

private:
    Method m_method;
    qint64 m_principal;
    qint64 m_totalInterest = 0;
    std::vector<Month> m_months;
};
