#include "core/tools/LoanPayment.h"
#include "core/tools/RepaymentSchedule.h"
#include "core/tools/SecondHandEstimate.h"

#include <QTest>
#include <cmath>

using Method = RepaymentSchedule::Method;
Q_DECLARE_METATYPE(Method)

class TestLoanPayment : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void monthlyPayment_data();
    void monthlyPayment();
    void termBelowOneYearRefused_data();
    void termBelowOneYearRefused();
    void veryLongTermPaysTheInterest();
    void parseNumber_data();
    void parseNumber();
    void resultLineKeepsTheBoxesTexts();
    void secondHandEstimate_data();
    void secondHandEstimate();

    void scheduleAddsUpToTheFen_data();
    void scheduleAddsUpToTheFen();
    void equalInstalmentsPaysTheFormulaEveryMonth();
    void equalPrincipalSpreadsTheOddFen();
    void scheduleRefusals_data();
    void scheduleRefusals();
};

// jine (万元), base rate (%), discount, years, as the window computes it.
static QString payment(double jine, double lilv, double zhekou, double nian)
{
    return LoanPayment::twoDecimals(LoanPayment::monthly(jine * 10000, lilv * zhekou / 100, nian * 12));
}

void TestLoanPayment::monthlyPayment_data()
{
    QTest::addColumn<double>("jine");
    QTest::addColumn<double>("lilv");
    QTest::addColumn<double>("zhekou");
    QTest::addColumn<double>("nian");
    QTest::addColumn<QString>("expected");
    QTest::newRow("the usual first loan") << 50.0 << 6.55 << 0.8 << 20.0 << "3366.43";
    QTest::newRow("100 at 4.9 over 30 years") << 100.0 << 4.9 << 1.0 << 30.0 << "5307.27";
    // 18 months: the term need not be whole.
    QTest::newRow("one and a half years") << 10.0 << 6.55 << 0.8 << 1.5 << "5788.86";
    QTest::newRow("fractional months") << 10.0 << 6.0 << 1.0 << 1.25 << "6936.44";
    // Interest-free: the principal shared over the months, not 0 / 0.
    QTest::newRow("zero base rate") << 12.0 << 0.0 << 0.8 << 10.0 << "1000.00";
    QTest::newRow("zero discount") << 12.0 << 6.55 << 0.0 << 10.0 << "1000.00";
    QTest::newRow("tiny rate") << 12.0 << 1e-12 << 1.0 << 10.0 << "1000.00";
    QTest::newRow("nothing borrowed") << 0.0 << 6.55 << 0.8 << 20.0 << "0.00";
}

void TestLoanPayment::monthlyPayment()
{
    QFETCH(double, jine);
    QFETCH(double, lilv);
    QFETCH(double, zhekou);
    QFETCH(double, nian);
    QFETCH(QString, expected);
    QVERIFY(LoanPayment::termAccepted(nian));
    QCOMPARE(payment(jine, lilv, zhekou, nian), expected);
}

void TestLoanPayment::termBelowOneYearRefused_data()
{
    QTest::addColumn<double>("years");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("half a year") << 0.5 << false;
    QTest::newRow("just under a year") << 0.999 << false;
    QTest::newRow("zero") << 0.0 << false;
    QTest::newRow("negative") << -20.0 << false;
    QTest::newRow("not a number") << std::nan("") << false;
    QTest::newRow("one year") << 1.0 << true;
    QTest::newRow("one and a half years") << 1.5 << true;
}

void TestLoanPayment::termBelowOneYearRefused()
{
    QFETCH(double, years);
    QFETCH(bool, accepted);
    QCOMPARE(LoanPayment::termAccepted(years), accepted);
}

void TestLoanPayment::veryLongTermPaysTheInterest()
{
    // (1 + m)^n overflows a double here; the payment tends to the interest.
    const double value = LoanPayment::monthly(500000, 0.06, 1e7);
    QVERIFY(std::isfinite(value));
    QCOMPARE(LoanPayment::twoDecimals(value), QStringLiteral("2500.00"));
    QVERIFY(std::isnan(LoanPayment::monthly(500000, -12.0, 240)));
}

void TestLoanPayment::parseNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "50" << true << 50.0;
    QTest::newRow("decimals") << "6.55" << true << 6.55;
    QTest::newRow("spaces around") << " 0.8 " << true << 0.8;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "20." << true << 20.0;
    QTest::newRow("negative") << "-3" << true << -3.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("word") << "二十" << false << 0.0;
    QTest::newRow("thousands separator") << "1,000" << false << 0.0;
    QTest::newRow("exponent") << "1e3" << false << 0.0;
    QTest::newRow("infinity") << "inf" << false << 0.0;
    QTest::newRow("too large for a double") << QString(400, QLatin1Char('9')) << false << 0.0;
}

void TestLoanPayment::parseNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto parsed = LoanPayment::parseNumber(text);
    QCOMPARE(parsed.has_value(), ok);
    if (ok) {
        QCOMPARE(*parsed, value);
    }
}

void TestLoanPayment::resultLineKeepsTheBoxesTexts()
{
    QCOMPARE(LoanPayment::resultLine("50.0", "6.55", "0.8", "20", "3366.43"),
             QStringLiteral("贷款金额：50.0万元\t基准利率：6.55\t利率折扣：0.8\t贷款年限：20年\t月供金额：3366.43元"));
}

void TestLoanPayment::secondHandEstimate_data()
{
    QTest::addColumn<double>("chengjiao");
    QTest::addColumn<double>("pinggu");
    QTest::addColumn<double>("shoufu");
    QTest::addColumn<QString>("kedai");
    QTest::addColumn<QString>("shoufujine");
    QTest::newRow("the usual first loan") << 90.0 << 80.0 << 3.0 << "56.00"
                                   << "34.00";
    QTest::newRow("appraised at the price") << 100.0 << 100.0 << 2.0 << "80.00"
                                            << "20.00";
    QTest::newRow("nothing down") << 50.0 << 60.0 << 0.0 << "60.00"
                                  << "-10.00";
    QTest::newRow("fractional ratio") << 75.5 << 70.0 << 3.5 << "45.50"
                                      << "30.00";
}

void TestLoanPayment::secondHandEstimate()
{
    QFETCH(double, chengjiao);
    QFETCH(double, pinggu);
    QFETCH(double, shoufu);
    QFETCH(QString, kedai);
    QFETCH(QString, shoufujine);
    const SecondHandEstimate estimate(chengjiao, pinggu, shoufu);
    QCOMPARE(LoanPayment::twoDecimals(estimate.kedai()), kedai);
    QCOMPARE(LoanPayment::twoDecimals(estimate.shoufujine()), shoufujine);
}

void TestLoanPayment::scheduleAddsUpToTheFen_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<qint64>("principal");
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("months");
    for (Method method : {Method::EqualInstalments, Method::EqualPrincipal}) {
        const char* name = method == Method::EqualInstalments ? "instalments" : "principal";
        QTest::addRow("%s, the usual first loan", name) << method << qint64(50000000) << 0.0524 << 240;
        QTest::addRow("%s, 100 over 30 years", name) << method << qint64(100000000) << 0.049 << 360;
        QTest::addRow("%s, odd fen", name) << method << qint64(1000001) << 0.0655 << 7;
        QTest::addRow("%s, interest-free", name) << method << qint64(12000000) << 0.0 << 120;
        QTest::addRow("%s, interest-free, odd fen", name) << method << qint64(10000) << 0.0 << 12 * 3;
        QTest::addRow("%s, one month", name) << method << qint64(123456) << 0.05 << 1;
        QTest::addRow("%s, longest term", name) << method << qint64(99999999999) << 0.18 << 1200;
    }
}

void TestLoanPayment::scheduleAddsUpToTheFen()
{
    QFETCH(Method, method);
    QFETCH(qint64, principal);
    QFETCH(double, rate);
    QFETCH(int, months);
    const RepaymentSchedule schedule(method, principal, rate, months);
    QCOMPARE(int(schedule.months().size()), months);
    qint64 principals = 0;
    qint64 interests = 0;
    qint64 owed = principal;
    for (const RepaymentSchedule::Month& month : schedule.months()) {
        QVERIFY(month.principal >= 0);
        QCOMPARE(month.payment, month.principal + month.interest);
        // Each month's interest is the balance before it times the monthly rate.
        QVERIFY(std::fabs(double(month.interest) - double(owed) * rate / 12) <= 0.5);
        owed -= month.principal;
        QCOMPARE(month.balance, owed);
        principals += month.principal;
        interests += month.interest;
    }
    QCOMPARE(principals, principal);
    QCOMPARE(schedule.months().back().balance, qint64(0));
    QCOMPARE(schedule.totalInterest(), interests);
    QCOMPARE(schedule.totalPayment(), principal + interests);
}

void TestLoanPayment::equalInstalmentsPaysTheFormulaEveryMonth()
{
    const RepaymentSchedule schedule(Method::EqualInstalments, 50000000, 0.0524, 240);
    const auto& months = schedule.months();
    QCOMPARE(RepaymentSchedule::yuan(months.front().payment), QStringLiteral("3366.43"));
    QCOMPARE(RepaymentSchedule::yuan(months.front().interest), QStringLiteral("2183.33"));
    QCOMPARE(RepaymentSchedule::yuan(months.front().principal), QStringLiteral("1183.10"));
    for (size_t i = 0; i + 1 < months.size(); ++i) {
        QCOMPARE(months[i].payment, qint64(336643));
    }
    // The rounding of the payment to the fen is settled in the last month.
    QVERIFY(std::abs(months.back().payment - 336643) < 100);
    // Against the exact total of the formula: 240 payments less the loan.
    const double exact = LoanPayment::monthly(50000000, 0.0524, 240) * 240 - 50000000;
    QVERIFY2(std::fabs(double(schedule.totalInterest()) - exact) < 240,
             qPrintable(RepaymentSchedule::yuan(schedule.totalInterest())));
}

void TestLoanPayment::equalPrincipalSpreadsTheOddFen()
{
    const RepaymentSchedule schedule(Method::EqualPrincipal, 50000000, 0.0524, 240);
    const auto& months = schedule.months();
    // 500000 / 240 = 2083.333…: every share is 2083.33 or 2083.34.
    for (const RepaymentSchedule::Month& month : months) {
        QVERIFY2(month.principal == 208333 || month.principal == 208334, qPrintable(QString::number(month.principal)));
    }
    QCOMPARE(RepaymentSchedule::yuan(months.front().payment), QStringLiteral("4266.66"));
    QVERIFY(months.back().payment < months.front().payment);
    // Interest on a balance falling evenly: P·m·(n + 1) / 2, within half a fen a month.
    const double exact = 50000000 * 0.0524 / 12 * 241 / 2;
    QVERIFY(std::fabs(double(schedule.totalInterest()) - exact) <= 120);
    QVERIFY(schedule.totalInterest() <
            RepaymentSchedule(Method::EqualInstalments, 50000000, 0.0524, 240).totalInterest());
}

void TestLoanPayment::scheduleRefusals_data()
{
    QTest::addColumn<double>("jine");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("years");
    QTest::addColumn<QString>("message");
    QTest::newRow("the usual first loan") << 50.0 << 0.0524 << 20.0 << "";
    QTest::newRow("interest-free") << 50.0 << 0.0 << 20.0 << "";
    QTest::newRow("hundred years") << 50.0 << 0.0524 << 100.0 << "";
    QTest::newRow("half a year") << 50.0 << 0.0524 << 0.5 << "贷款年限不能小于1年！";
    QTest::newRow("past a hundred years") << 50.0 << 0.0524 << 100.1 << "还款计划最多列出1200期（100年）！";
    QTest::newRow("nothing borrowed") << 0.0 << 0.0524 << 20.0 << "贷款金额必须大于0！";
    QTest::newRow("negative amount") << -5.0 << 0.0524 << 20.0 << "贷款金额必须大于0！";
    QTest::newRow("amount too large") << 2e8 << 0.0524 << 20.0 << "贷款金额过大，无法列出还款计划！";
    QTest::newRow("negative rate") << 50.0 << -0.01 << 20.0 << "利率不能小于0！";
}

void TestLoanPayment::scheduleRefusals()
{
    QFETCH(double, jine);
    QFETCH(double, rate);
    QFETCH(double, years);
    QFETCH(QString, message);
    QCOMPARE(RepaymentSchedule::refusal(jine, rate, years), message);
    if (message.isEmpty()) {
        QCOMPARE(RepaymentSchedule::monthsOf(1.5), 18);
        QCOMPARE(RepaymentSchedule::fenOf(56.0), qint64(56000000));
    }
}

QTEST_APPLESS_MAIN(TestLoanPayment)
#include "tst_loanpayment.moc"
