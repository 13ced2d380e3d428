#include "core/alarms/RepeatRule.h"

#include <QTest>

// The repeat rules of the alarms: one step of each kind, and where dismissing
// leaves an alarm however long it was left overdue.
class TestRepeatRule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oneStep_data();
    void oneStep();
    void kindTexts_data();
    void kindTexts();
    void dismiss_data();
    void dismiss();
    void dismissWalksEveryStep_data();
    void dismissWalksEveryStep();
};

namespace {
QDateTime at(const char* text)
{
    const QDateTime value = QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    Q_ASSERT(value.isValid());
    return value;
}
} // namespace

void TestRepeatRule::oneStep_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QDateTime>("due");
    QTest::addColumn<QDateTime>("next"); // invalid: no next time

    const auto row = [](const char* name, int kind, const char* due, const char* next) {
        QTest::newRow(name) << kind << at(due) << (next ? at(next) : QDateTime());
    };
    row("once has none", RepeatRule::Once, "2026-03-02 08:00:00", nullptr);
    row("daily keeps the time", RepeatRule::Daily, "2026-03-02 08:00:00", "2026-03-03 08:00:00");
    row("daily over a year end", RepeatRule::Daily, "2026-12-31 23:59:59", "2027-01-01 23:59:59");
    row("daily onto 29 February", RepeatRule::Daily, "2024-02-28 07:30:00", "2024-02-29 07:30:00");
    row("daily past 28 February", RepeatRule::Daily, "2026-02-28 07:30:00", "2026-03-01 07:30:00");
    row("weekdays: Monday to Tuesday", RepeatRule::Weekdays, "2026-03-02 18:00:00", "2026-03-03 18:00:00");
    row("weekdays: Thursday to Friday", RepeatRule::Weekdays, "2026-03-05 18:00:00", "2026-03-06 18:00:00");
    row("weekdays: Friday to Monday", RepeatRule::Weekdays, "2026-03-06 18:00:00", "2026-03-09 18:00:00");
    row("weekdays: Saturday to Monday", RepeatRule::Weekdays, "2026-03-07 18:00:00", "2026-03-09 18:00:00");
    row("weekdays: Sunday to Monday", RepeatRule::Weekdays, "2026-03-08 18:00:00", "2026-03-09 18:00:00");
    row("weekdays: Friday over a year end", RepeatRule::Weekdays, "2027-12-31 09:00:00", "2028-01-03 09:00:00");
    row("weekly over a year end", RepeatRule::Weekly, "2026-12-28 08:00:00", "2027-01-04 08:00:00");
    row("monthly keeps the day", RepeatRule::Monthly, "2026-03-15 08:00:00", "2026-04-15 08:00:00");
    row("monthly 31 January, common year", RepeatRule::Monthly, "2026-01-31 08:00:00", "2026-02-28 08:00:00");
    row("monthly 31 January, leap year", RepeatRule::Monthly, "2024-01-31 08:00:00", "2024-02-29 08:00:00");
    row("monthly 31 March to 30 April", RepeatRule::Monthly, "2026-03-31 08:00:00", "2026-04-30 08:00:00");
    row("monthly 28 February stays on the 28th", RepeatRule::Monthly, "2026-02-28 08:00:00", "2026-03-28 08:00:00");
    row("monthly over a year end", RepeatRule::Monthly, "2026-12-31 20:00:00", "2027-01-31 20:00:00");
    row("quarterly 30 November to February's end", RepeatRule::Quarterly, "2026-11-30 08:00:00", "2027-02-28 08:00:00");
    row("quarterly 31 August to 30 November", RepeatRule::Quarterly, "2026-08-31 08:00:00", "2026-11-30 08:00:00");
    row("quarterly 31 December to 31 March", RepeatRule::Quarterly, "2026-12-31 08:00:00", "2027-03-31 08:00:00");
    row("yearly 29 February to 28 February", RepeatRule::Yearly, "2024-02-29 08:00:00", "2025-02-28 08:00:00");
    row("yearly over a year end", RepeatRule::Yearly, "2026-12-31 23:00:00", "2027-12-31 23:00:00");
    row("kind 7 has none", 7, "2026-03-02 08:00:00", nullptr);
    row("kind -1 has none", -1, "2026-03-02 08:00:00", nullptr);
}

void TestRepeatRule::oneStep()
{
    QFETCH(int, kind);
    QFETCH(QDateTime, due);
    QFETCH(QDateTime, next);
    QCOMPARE(RepeatRule::next(due, kind), next);
}

void TestRepeatRule::kindTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << QStringLiteral("一次");
    QTest::newRow("1") << 1 << QStringLiteral("每天");
    QTest::newRow("2") << 2 << QStringLiteral("每周一至五");
    QTest::newRow("3") << 3 << QStringLiteral("每周");
    QTest::newRow("4") << 4 << QStringLiteral("每月");
    QTest::newRow("5") << 5 << QStringLiteral("每季度");
    QTest::newRow("6") << 6 << QStringLiteral("每年");
    QTest::newRow("7 as its number") << 7 << QStringLiteral("7");
    QTest::newRow("-3 as its number") << -3 << QStringLiteral("-3");
}

void TestRepeatRule::kindTexts()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QCOMPARE(RepeatRule::kindText(kind), text);
    if (RepeatRule::isKnown(kind)) {
        QCOMPARE(RepeatRule::kindTexts().at(kind), text);
    }
}

void TestRepeatRule::dismiss_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QDateTime>("due");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("action");
    QTest::addColumn<QDateTime>("moved");

    using D = RepeatRule::Dismissal;
    const auto row = [](const char* name, int kind, const char* due, const char* now, int action, const char* moved) {
        QTest::newRow(name) << kind << at(due) << at(now) << action << (moved ? at(moved) : QDateTime());
    };
    row("overdue once is deleted", RepeatRule::Once, "2026-03-02 08:00:00", "2026-03-02 08:00:01", D::Delete, nullptr);
    row("once not yet due is kept", RepeatRule::Once, "2026-03-02 08:00:00", "2026-03-02 07:59:59", D::Keep, nullptr);
    row("due this very second is not overdue", RepeatRule::Daily, "2026-03-02 08:00:00", "2026-03-02 08:00:00", D::Keep,
        nullptr);
    row("daily Monday 08:00, Thursday 10:00", RepeatRule::Daily, "2026-03-02 08:00:00", "2026-03-05 10:00:00", D::Move,
        "2026-03-06 08:00:00");
    row("daily Monday 08:00, Thursday 07:00", RepeatRule::Daily, "2026-03-02 08:00:00", "2026-03-05 07:00:00", D::Move,
        "2026-03-05 08:00:00");
    row("daily one second overdue", RepeatRule::Daily, "2026-03-02 08:00:00", "2026-03-02 08:00:01", D::Move,
        "2026-03-03 08:00:00");
    row("daily not yet due", RepeatRule::Daily, "2026-03-09 08:00:00", "2026-03-05 10:00:00", D::Keep, nullptr);
    row("weekdays Friday 18:00, Saturday", RepeatRule::Weekdays, "2026-03-06 18:00:00", "2026-03-07 12:00:00", D::Move,
        "2026-03-09 18:00:00");
    row("weekdays Friday 18:00, next Monday 19:00", RepeatRule::Weekdays, "2026-03-06 18:00:00", "2026-03-09 19:00:00",
        D::Move, "2026-03-10 18:00:00");
    row("weekdays Monday 08:00, Wednesday 07:00", RepeatRule::Weekdays, "2026-03-02 08:00:00", "2026-03-04 07:00:00",
        D::Move, "2026-03-04 08:00:00");
    row("weekdays stored on a Sunday", RepeatRule::Weekdays, "2026-03-08 09:00:00", "2026-03-08 10:00:00", D::Move,
        "2026-03-09 09:00:00");
    row("weekdays across two weekends", RepeatRule::Weekdays, "2026-03-06 18:00:00", "2026-03-14 10:00:00", D::Move,
        "2026-03-16 18:00:00");
    row("weekly across a year end", RepeatRule::Weekly, "2026-12-28 08:00:00", "2027-01-05 09:00:00", D::Move,
        "2027-01-11 08:00:00");
    row("monthly 31 January, 1 February", RepeatRule::Monthly, "2026-01-31 08:00:00", "2026-02-01 00:00:00", D::Move,
        "2026-02-28 08:00:00");
    row("monthly 31 January in a leap year", RepeatRule::Monthly, "2024-01-31 08:00:00", "2024-02-01 00:00:00", D::Move,
        "2024-02-29 08:00:00");
    // Moved to the 28th once, it stays there: 28 February, 28 March, 28 April.
    row("monthly stays on the shorter day", RepeatRule::Monthly, "2026-01-31 08:00:00", "2026-04-01 09:00:00", D::Move,
        "2026-04-28 08:00:00");
    row("quarterly stays on the shorter day", RepeatRule::Quarterly, "2025-11-30 08:00:00", "2026-06-01 00:00:00",
        D::Move, "2026-08-28 08:00:00");
    row("yearly 29 February, next day", RepeatRule::Yearly, "2024-02-29 08:00:00", "2024-03-01 00:00:00", D::Move,
        "2025-02-28 08:00:00");
    // The walk passes 28 February 2028, not 29 February: that is still overdue.
    row("yearly 29 February, four years on", RepeatRule::Yearly, "2024-02-29 08:00:00", "2028-02-28 09:00:00", D::Move,
        "2029-02-28 08:00:00");
    row("yearly over a year end", RepeatRule::Yearly, "2025-12-31 23:00:00", "2026-01-01 00:00:00", D::Move,
        "2026-12-31 23:00:00");
    row("kind 7 is left alone", 7, "2026-03-02 08:00:00", "2026-03-05 10:00:00", D::Keep, nullptr);
    row("kind -1 is left alone", -1, "2016-03-02 08:00:00", "2026-03-05 10:00:00", D::Keep, nullptr);
    row("daily ten years overdue", RepeatRule::Daily, "2016-03-01 08:00:00", "2026-03-01 10:00:00", D::Move,
        "2026-03-02 08:00:00");
    row("weekdays ten years overdue", RepeatRule::Weekdays, "2016-03-04 18:00:00", "2026-03-07 12:00:00", D::Move,
        "2026-03-09 18:00:00");
    // 521 weeks on it falls due this very second, which is no longer overdue.
    row("weekly ten years overdue", RepeatRule::Weekly, "2016-03-07 08:00:00", "2026-03-02 08:00:00", D::Move,
        "2026-03-02 08:00:00");
    // The 31st became 29 February 2016, then 28 February 2017, and stays on the 28th.
    row("monthly ten years overdue", RepeatRule::Monthly, "2016-01-31 08:00:00", "2026-03-15 00:00:00", D::Move,
        "2026-03-28 08:00:00");
    row("yearly ten years overdue", RepeatRule::Yearly, "2016-06-30 12:00:00", "2026-07-01 00:00:00", D::Move,
        "2027-06-30 12:00:00");
    row("daily from the year 1900", RepeatRule::Daily, "1900-01-01 06:00:00", "2026-03-05 10:00:00", D::Move,
        "2026-03-06 06:00:00");
}

void TestRepeatRule::dismiss()
{
    QFETCH(int, kind);
    QFETCH(QDateTime, due);
    QFETCH(QDateTime, now);
    QFETCH(int, action);
    QFETCH(QDateTime, moved);
    const RepeatRule::Dismissal result = RepeatRule::dismiss(due, kind, now);
    QCOMPARE(int(result.action), action);
    QCOMPARE(result.due, moved);
}

// The skips over whole periods must land where the plain walk, one step at a
// time from the previous step's value, lands.
void TestRepeatRule::dismissWalksEveryStep_data()
{
    QTest::addColumn<int>("kind");
    for (int kind = RepeatRule::Daily; kind <= RepeatRule::Yearly; ++kind) {
        QTest::newRow(qPrintable(RepeatRule::kindText(kind))) << kind;
    }
}

void TestRepeatRule::dismissWalksEveryStep()
{
    QFETCH(int, kind);
    const QDateTime now = at("2026-03-04 12:00:00");
    for (const QTime time : {QTime(8, 0), QTime(12, 0), QTime(12, 0, 1), QTime(23, 59, 59)}) {
        for (QDate day(2025, 10, 25); day < QDate(2026, 3, 10); day = day.addDays(1)) {
            const QDateTime due(day, time);
            QDateTime walked = due;
            while (walked < now) {
                walked = RepeatRule::next(walked, kind);
            }
            const RepeatRule::Dismissal result = RepeatRule::dismiss(due, kind, now);
            if (due < now) {
                QCOMPARE(int(result.action), int(RepeatRule::Dismissal::Move));
                QCOMPARE(result.due, walked);
            } else {
                QCOMPARE(int(result.action), int(RepeatRule::Dismissal::Keep));
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestRepeatRule)
#include "tst_repeatrule.moc"
