// The arithmetic behind the main window's timers: the alarm wait, the rest
// interval, the capture paths and the limits of a timer's interval.
#include "core/alarms/AlertWait.h"
#include "core/data/TimerSpan.h"
#include "core/tools/CapturePath.h"
#include "core/tools/RestInterval.h"

#include <QTest>

class TestTimerArithmetic : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void alertWait_data();
    void alertWait();
    void longAlertWaitIsCutAndKnownToBe();
    void restInterval_data();
    void restInterval();
    void capturePaths_data();
    void capturePaths();
    void captureInterval_data();
    void captureInterval();
    void timerSpanNeverOverflows_data();
    void timerSpanNeverOverflows();
};

namespace {
const QDateTime kNow(QDate(2026, 12, 11), QTime(10, 0));
}

void TestTimerArithmetic::alertWait_data()
{
    QTest::addColumn<qint64>("msecsAhead");
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("ten minutes") << qint64(600000) << qint64(600);
    QTest::newRow("a quarter second past rounds down") << qint64(600250) << qint64(600);
    QTest::newRow("half rounds to the even second below") << qint64(90500) << qint64(90);
    QTest::newRow("half rounds to the even second above") << qint64(91500) << qint64(92);
    QTest::newRow("thirty seconds waits a minute") << qint64(30000) << qint64(60);
    QTest::newRow("overdue by an hour waits a minute") << qint64(-3600000) << qint64(60);
    QTest::newRow("exactly a minute") << qint64(60000) << qint64(60);
    QTest::newRow("a year ahead") << qint64(365) * 86400000 << qint64(365) * 86400;
    QTest::newRow("past 32 bits of seconds is held at the largest") << qint64(3000000000) * 1000 << qint64(2147483647);
}

void TestTimerArithmetic::alertWait()
{
    QFETCH(qint64, msecsAhead);
    QFETCH(qint64, seconds);
    const QDateTime due = kNow.addMSecs(msecsAhead);
    QCOMPARE(AlertWait::seconds(kNow, due), seconds);
    const qint64 interval = AlertWait::timerInterval(kNow, due);
    QCOMPARE(interval, qMin<qint64>(seconds * 1000, TimerSpan::kLongest));
}

void TestTimerArithmetic::longAlertWaitIsCutAndKnownToBe()
{
    const qint64 longestSeconds = TimerSpan::kLongest / 1000; // 2 147 483 s, about 24.8 days
    QVERIFY(!AlertWait::exceedsTimer(longestSeconds));
    QVERIFY(AlertWait::exceedsTimer(longestSeconds + 1));
    const QDateTime inThirtyDays = kNow.addDays(30);
    QVERIFY(AlertWait::exceedsTimer(AlertWait::seconds(kNow, inThirtyDays)));
    QCOMPARE(AlertWait::timerInterval(kNow, inThirtyDays), TimerSpan::kLongest);
}

void TestTimerArithmetic::restInterval_data()
{
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<int>("milliseconds"); // -1: the reminder is off
    QTest::newRow("forty-five minutes") << true << "45" << 2700000;
    QTest::newRow("one minute") << true << "1" << 60000;
    QTest::newRow("zero is off") << true << "0" << -1;
    QTest::newRow("negative is off") << true << "-5" << -1;
    QTest::newRow("letters give an hour") << true << "abc" << 3600000;
    QTest::newRow("empty gives an hour") << true << "" << 3600000;
    QTest::newRow("a fraction gives an hour") << true << "1.5" << 3600000;
    QTest::newRow("unreadable gives an hour") << false << "" << 3600000;
    QTest::newRow("past the timer's range is held at its longest") << true << "40000" << TimerSpan::kLongest;
}

void TestTimerArithmetic::restInterval()
{
    QFETCH(bool, readable);
    QFETCH(QString, parameter);
    QFETCH(int, milliseconds);
    const std::optional<int> interval =
        RestInterval::milliseconds(readable ? std::optional<QString>(parameter) : std::nullopt);
    QCOMPARE(interval.value_or(-1), milliseconds);
}

void TestTimerArithmetic::capturePaths_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("file");
    const QDateTime moment(QDate(2024, 5, 7), QTime(14, 30, 0));
    QTest::newRow("prefix ending in a separator")
        << "/home/a/截屏/" << moment
        << QStringList{"/home/a/截屏/pic", "/home/a/截屏/pic/2024", "/home/a/截屏/pic/2024/05",
                       "/home/a/截屏/pic/2024/05/07"}
        << "/home/a/截屏/pic/2024/05/07/20240507_143000.JPG";
    QTest::newRow("prefix joined without a separator")
        << "/home/a/截屏" << moment
        << QStringList{"/home/a/截屏pic", "/home/a/截屏pic/2024", "/home/a/截屏pic/2024/05",
                       "/home/a/截屏pic/2024/05/07"}
        << "/home/a/截屏pic/2024/05/07/20240507_143000.JPG";
    QTest::newRow("empty prefix is relative to the working folder")
        << "" << QDateTime(QDate(2026, 1, 2), QTime(23, 5, 9))
        << QStringList{"pic", "pic/2026", "pic/2026/01", "pic/2026/01/02"} << "pic/2026/01/02/20260102_230509.JPG";
}

void TestTimerArithmetic::capturePaths()
{
    QFETCH(QString, prefix);
    QFETCH(QDateTime, moment);
    QFETCH(QStringList, folders);
    QFETCH(QString, file);
    QCOMPARE(CapturePath::folders(prefix, moment), folders);
    QCOMPARE(CapturePath::file(prefix, moment), file);
}

void TestTimerArithmetic::captureInterval_data()
{
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("milliseconds"); // -1: capturing is off
    QTest::newRow("every minute") << 60 << 60000;
    QTest::newRow("every second") << 1 << 1000;
    QTest::newRow("zero is off") << 0 << -1;
    QTest::newRow("negative is off") << -1 << -1;
    QTest::newRow("past the timer's range is held at its longest") << 3000000 << TimerSpan::kLongest;
}

void TestTimerArithmetic::captureInterval()
{
    QFETCH(int, frequency);
    QFETCH(int, milliseconds);
    QCOMPARE(CapturePath::timerInterval(frequency).value_or(-1), milliseconds);
}

void TestTimerArithmetic::timerSpanNeverOverflows_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<bool>("minutes");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("seconds within range") << qint64(2147483) << false << 2147483000;
    QTest::newRow("one second more") << qint64(2147484) << false << TimerSpan::kLongest;
    QTest::newRow("minutes within range") << qint64(35791) << true << 2147460000;
    QTest::newRow("one minute more") << qint64(35792) << true << TimerSpan::kLongest;
    QTest::newRow("a count that overflows 64 bits when multiplied")
        << std::numeric_limits<qint64>::max() / 10 << true << TimerSpan::kLongest;
    QTest::newRow("nothing") << qint64(0) << false << 0;
}

void TestTimerArithmetic::timerSpanNeverOverflows()
{
    QFETCH(qint64, count);
    QFETCH(bool, minutes);
    QFETCH(int, milliseconds);
    QCOMPARE(minutes ? TimerSpan::fromMinutes(count) : TimerSpan::fromSeconds(count), milliseconds);
}

QTEST_GUILESS_MAIN(TestTimerArithmetic)
#include "tst_timerarithmetic.moc"
