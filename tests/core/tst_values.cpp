#include "core/data/DayNumber.h"
#include "core/data/Money.h"
#include "core/data/WholeNumber.h"

#include <QTest>

class TestValues : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void moneyParses_data();
    void moneyParses();
    void moneySumsAreExact();
    void moneySumsSayWhenPastTheRange_data();
    void moneySumsSayWhenPastTheRange();
    void moneyTellsRangeFromShape_data();
    void moneyTellsRangeFromShape();
    void dayNumbers_data();
    void dayNumbers();
    void wholeNumbers_data();
    void wholeNumbers();
};

void TestValues::moneyParses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("twoDecimals");
    QTest::newRow("whole") << "100" << true << "100.00"
                           << "100.00";
    QTest::newRow("fraction") << "12.5" << true << "12.50"
                              << "12.50";
    QTest::newRow("four decimals") << "0.0001" << true << "0.0001"
                                   << "0.00";
    QTest::newRow("rounds half up") << "2.00005" << true << "2.0001"
                                    << "2.00";
    QTest::newRow("negative") << "-7.456" << true << "-7.456"
                              << "-7.46";
    QTest::newRow("plus and spaces") << " +3 " << true << "3.00"
                                     << "3.00";
    QTest::newRow("leading point") << ".5" << true << "0.50"
                                   << "0.50";
    QTest::newRow("largest") << "922337203685477.5807" << true << "922337203685477.5807"
                             << "922337203685477.58";
    QTest::newRow("too large") << "922337203685477.5808" << false << ""
                               << "";
    QTest::newRow("empty") << "" << false << ""
                           << "";
    QTest::newRow("letters") << "12a" << false << ""
                             << "";
    QTest::newRow("full-width digits") << "１２" << false << ""
                                       << "";
    QTest::newRow("two points") << "1.2.3" << false << ""
                                << "";
    QTest::newRow("sign only") << "-" << false << ""
                               << "";
}

void TestValues::moneyParses()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, shown);
    QFETCH(QString, twoDecimals);
    const std::optional<Money> money = Money::parse(text);
    QCOMPARE(money.has_value(), valid);
    if (valid) {
        QCOMPARE(money->toString(), shown);
        QCOMPARE(money->toFixed(2), twoDecimals);
    }
}

void TestValues::moneySumsAreExact()
{
    Money sum;
    for (int i = 0; i < 1000; ++i) {
        sum = *sum.plus(*Money::parse(QStringLiteral("0.1")));
    }
    QCOMPARE(sum.toString(), QStringLiteral("100.00"));
}

void TestValues::moneySumsSayWhenPastTheRange_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<bool>("fits");
    constexpr qint64 max = Money::kMaxUnits;
    QTest::newRow("half and half") << qint64(5000000000000000000) << qint64(5000000000000000000) << false;
    QTest::newRow("to the largest") << max - 1 << qint64(1) << true;
    QTest::newRow("one past the largest") << max << qint64(1) << false;
    QTest::newRow("to the smallest") << -max + 1 << qint64(-1) << true;
    QTest::newRow("one below the smallest") << -max << qint64(-1) << false;
    QTest::newRow("opposite signs") << max << -max << true;
}

void TestValues::moneySumsSayWhenPastTheRange()
{
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(bool, fits);
    const std::optional<Money> sum = Money::fromUnits(a).plus(Money::fromUnits(b));
    QCOMPARE(sum.has_value(), fits);
    if (fits) {
        QCOMPARE(sum->units(), a + b);
        QCOMPARE((Money::fromUnits(a) + Money::fromUnits(b)).units(), a + b);
    } else {
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, Money::fromUnits(a) + Money::fromUnits(b));
    }
}

void TestValues::moneyTellsRangeFromShape_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("outOfRange");
    QTest::newRow("twenty digits") << "99999999999999999999" << true;
    QTest::newRow("past the smallest") << "-922337203685477.5808" << true;
    QTest::newRow("rounds past the largest") << "922337203685477.58075" << true;
    QTest::newRow("long and bad") << "99999999999999999999x" << false;
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("fits") << "922337203685477.58074" << false;
}

void TestValues::moneyTellsRangeFromShape()
{
    QFETCH(QString, text);
    QFETCH(bool, outOfRange);
    bool tooLarge = !outOfRange;
    const std::optional<Money> money = Money::parse(text, &tooLarge);
    QCOMPARE(tooLarge, outOfRange);
    QCOMPARE(money.has_value(), text == QLatin1String("922337203685477.58074"));
}

void TestValues::dayNumbers_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<double>("dayNumber");
    QTest::newRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("leap day") << QDateTime(QDate(2000, 2, 29), QTime(0, 0)) << 36585.0;
    QTest::newRow("noon") << QDateTime(QDate(2026, 12, 11), QTime(12, 0)) << 46367.5;
    QTest::newRow("before the epoch") << QDateTime(QDate(1899, 12, 29), QTime(0, 0)) << -1.0;
}

void TestValues::dayNumbers()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(double, dayNumber);
    QCOMPARE(DayNumber::fromDateTime(dateTime), dayNumber);
    QCOMPARE(DayNumber::toDateTime(dayNumber), dateTime);
    // A second short of midnight survives the round trip.
    const QDateTime late(dateTime.date(), QTime(23, 59, 59));
    QCOMPARE(DayNumber::toDateTime(DayNumber::fromDateTime(late)), late);
}

void TestValues::wholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("valid");
    QTest::newRow("digits") << "180" << 180 << true;
    QTest::newRow("leading spaces") << "  30" << 30 << true;
    QTest::newRow("negative") << "-1" << -1 << true;
    QTest::newRow("trailing space") << "30 " << 0 << false;
    QTest::newRow("empty") << "" << 0 << false;
    QTest::newRow("fraction") << "1.5" << 0 << false;
    QTest::newRow("letters") << "abc" << 0 << false;
    QTest::newRow("overflow") << "99999999999" << 0 << false;
}

void TestValues::wholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(bool, valid);
    const std::optional<int> parsed = WholeNumber::parse(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid) {
        QCOMPARE(*parsed, value);
    }
}

QTEST_GUILESS_MAIN(TestValues)
#include "tst_values.moc"
