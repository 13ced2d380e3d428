#include "core/books/BabyAge.h"

#include <QTest>

class TestBabyAge : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void counters_data();
    void counters();
    void textsSpellTheCounters();
};

void TestBabyAge::counters_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("months");
    QTest::addColumn<int>("monthRest");
    QTest::addColumn<int>("years");
    QTest::addColumn<int>("yearMonths");
    QTest::addColumn<int>("yearRest");
    QTest::addColumn<int>("toBirthday");

    const auto row = [](const char* name, QDate birth, QDate today, QList<int> n) {
        QTest::newRow(name) << birth << today << n[0] << n[1] << n[2] << n[3] << n[4] << n[5] << n[6];
    };
    row("born today", QDate(2025, 6, 15), QDate(2025, 6, 15), {0, 0, 0, 0, 0, 0, 365});
    row("first birthday in a leap year", QDate(2023, 3, 1), QDate(2024, 3, 1), {366, 12, 0, 1, 0, 0, 365});
    // 365 days fall short of both 12 months and a year: the birthday itself says 0 years.
    row("first birthday after a leap day", QDate(2024, 3, 1), QDate(2025, 3, 1), {365, 11, 28, 0, 11, 28, 0});
    // Two months reach 1 September, one day past today.
    row("whole months overshoot today", QDate(2024, 7, 1), QDate(2024, 8, 31), {61, 2, 1, 0, 2, 1, 304});
    row("30 days are no month", QDate(2024, 1, 31), QDate(2024, 3, 1), {30, 0, 30, 0, 0, 30, 336});
    row("leap-day child on a leap day", QDate(2020, 2, 29), QDate(2024, 2, 29), {1461, 48, 0, 4, 0, 0, 365});
    row("day before the first birthday", QDate(2024, 5, 10), QDate(2025, 5, 9), {364, 11, 29, 0, 11, 29, 1});
    row("31 January to 29 February", QDate(2024, 1, 31), QDate(2024, 2, 29), {29, 0, 29, 0, 0, 29, 337});
    // 31 January plus a month is 28 February.
    row("month added to 31 January", QDate(2023, 1, 31), QDate(2023, 3, 3), {31, 1, 3, 0, 1, 3, 334});
    row("month added to 31 March", QDate(2024, 3, 31), QDate(2024, 5, 1), {31, 1, 1, 0, 1, 1, 334});
    row("two months from 31 December", QDate(2024, 12, 31), QDate(2025, 3, 2), {61, 2, 2, 0, 2, 2, 304});
    // 29 February plus a year is 28 February: the birthday is today.
    row("leap-day child in a common year", QDate(2020, 2, 29), QDate(2021, 2, 28), {365, 11, 30, 0, 11, 30, 0});
    row("leap-day child a day later", QDate(2020, 2, 29), QDate(2021, 3, 1), {366, 12, 1, 1, 0, 1, 364});
    row("months after a 31st anniversary", QDate(2022, 8, 31), QDate(2024, 2, 29), {547, 17, 29, 1, 5, 29, 184});
    row("end of February years later", QDate(2021, 10, 31), QDate(2025, 2, 28), {1216, 39, 28, 3, 3, 28, 245});
    row("grown up", QDate(2000, 1, 1), QDate(2025, 6, 15), {9297, 305, 14, 25, 5, 14, 200});
}

void TestBabyAge::counters()
{
    QFETCH(QDate, birth);
    QFETCH(QDate, today);
    const BabyAge age = BabyAge::between(birth, today);
    QFETCH(int, days);
    QFETCH(int, months);
    QFETCH(int, monthRest);
    QFETCH(int, years);
    QFETCH(int, yearMonths);
    QFETCH(int, yearRest);
    QFETCH(int, toBirthday);
    QCOMPARE(age.days, days);
    QCOMPARE(age.months, months);
    QCOMPARE(age.monthRestDays, monthRest);
    QCOMPARE(age.years, years);
    QCOMPARE(age.yearMonths, yearMonths);
    QCOMPARE(age.yearRestDays, yearRest);
    QCOMPARE(age.daysToBirthday, toBirthday);
}

void TestBabyAge::textsSpellTheCounters()
{
    const BabyAge age = BabyAge::between(QDate(2022, 8, 31), QDate(2024, 2, 29));
    QCOMPARE(age.daysText(), QStringLiteral("距离今天已经 547 天。"));
    QCOMPARE(age.monthsText(), QStringLiteral("距离今天已经 17 个月 29 天。"));
    QCOMPARE(age.yearsText(), QStringLiteral("距离今天已经 1 年 5 个月 29 天。"));
    QCOMPARE(age.birthdayText(), QStringLiteral("距离下一个生日还有 184 天。"));
}

QTEST_APPLESS_MAIN(TestBabyAge)
#include "tst_babyage.moc"
