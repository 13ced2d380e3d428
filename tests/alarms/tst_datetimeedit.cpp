#include "forms/TMcxDateEdit.h"
#include "mock/MockClock.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>

// The date edit with a time of day, as the alarm editor uses it, and that the
// plain date mode still behaves as before.
class TestDateTimeEdit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void showsAndReadsToTheSecond_data();
    void showsAndReadsToTheSecond();
    void dateModeIsUnchanged();
    void changeSignalCountsTheTime();
    void arrowsStepThePartUnderTheCursor_data();
    void arrowsStepThePartUnderTheCursor();
    void arrowsOnEmptyAndOnBadText();
    void leavingTheEditTidiesTheText();
    void dropDownTakesDayAndTime();
    void dropDownNowAndClear();
    void keyboardOpensTheDropDown();
};

void TestDateTimeEdit::init()
{
    MockClock::install(QDateTime(QDate(2026, 3, 5), QTime(10, 20, 30, 400)));
}

void TestDateTimeEdit::cleanup()
{
    Clock::setInstance(nullptr);
}

void TestDateTimeEdit::showsAndReadsToTheSecond_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDateTime>("value");
    QTest::newRow("full") << "2026-03-05 08:09:10" << QDateTime(QDate(2026, 3, 5), QTime(8, 9, 10));
    QTest::newRow("short parts") << "2026-3-5 8:9" << QDateTime(QDate(2026, 3, 5), QTime(8, 9));
    QTest::newRow("date alone is midnight") << "2026-03-05" << QDateTime(QDate(2026, 3, 5), QTime(0, 0));
    QTest::newRow("empty") << "" << QDateTime();
    QTest::newRow("no such day") << "2026-02-30 08:00:00" << QDateTime();
    QTest::newRow("no such hour") << "2026-03-05 25:00:00" << QDateTime();
    QTest::newRow("words") << "明天" << QDateTime();
}

void TestDateTimeEdit::showsAndReadsToTheSecond()
{
    QFETCH(QString, typed);
    QFETCH(QDateTime, value);
    TMcxDateEdit edit;
    edit.setMode(TMcxDateEdit::Mode::DateTime);
    edit.setText(typed);
    QCOMPARE(edit.dateTime(), value);
    QCOMPARE(edit.text(), typed); // nothing typed is lost
    QCOMPARE(edit.isEmpty(), typed.isEmpty());
    edit.setDateTime(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58, 999)));
    QCOMPARE(edit.text(), QStringLiteral("2026-12-31 23:59:58"));
    edit.setDateTime({});
    QVERIFY(edit.isEmpty());
}

void TestDateTimeEdit::dateModeIsUnchanged()
{
    TMcxDateEdit edit;
    QCOMPARE(edit.mode(), TMcxDateEdit::Mode::Date);
    edit.setDateTime(QDateTime(QDate(2026, 3, 5), QTime(8, 0)));
    QCOMPARE(edit.text(), QStringLiteral("2026-03-05"));
    QCOMPARE(edit.date(), QDate(2026, 3, 5));
    // Up and Down belong to the plain line edit in date mode.
    edit.lineEdit()->setCursorPosition(2);
    QTest::keyClick(edit.lineEdit(), Qt::Key_Up);
    QCOMPARE(edit.text(), QStringLiteral("2026-03-05"));
    QSignalSpy changed(&edit, &TMcxDateEdit::dateChanged);
    edit.setText(QStringLiteral("2026-03-05 09:00"));
    QCOMPARE(changed.count(), 0); // the same day
    // Switching modes keeps the value and shows it the new way.
    edit.setText(QStringLiteral("2026-03-06"));
    edit.setMode(TMcxDateEdit::Mode::DateTime);
    QCOMPARE(edit.text(), QStringLiteral("2026-03-06 00:00:00"));
    edit.setMode(TMcxDateEdit::Mode::Date);
    QCOMPARE(edit.text(), QStringLiteral("2026-03-06"));
}

void TestDateTimeEdit::changeSignalCountsTheTime()
{
    TMcxDateEdit edit;
    edit.setMode(TMcxDateEdit::Mode::DateTime);
    edit.setText(QStringLiteral("2026-03-05 08:00:00"));
    QSignalSpy changed(&edit, &TMcxDateEdit::dateChanged);
    edit.setText(QStringLiteral("2026-03-05 08:00:0"));    // half typed, still the same moment
    edit.setText(QStringLiteral("2026-03-05 08:00:01"));   // a new moment
    edit.setText(QStringLiteral("2026-03-05 08:00:01 x")); // half typed: no change
    edit.setText(QString());                               // emptied
    QCOMPARE(changed.count(), 2);
}

void TestDateTimeEdit::arrowsStepThePartUnderTheCursor_data()
{
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("after");
    const QString start = QStringLiteral("2024-01-31 23:59:59");
    QTest::newRow("year up from 31 January") << 2 << int(Qt::Key_Up) << "2025-01-31 23:59:59";
    QTest::newRow("month up clamps") << 6 << int(Qt::Key_Up) << "2024-02-29 23:59:59";
    QTest::newRow("month down") << 7 << int(Qt::Key_Down) << "2023-12-31 23:59:59";
    QTest::newRow("day up crosses the month") << 9 << int(Qt::Key_Up) << "2024-02-01 23:59:59";
    QTest::newRow("hour up crosses midnight") << 12 << int(Qt::Key_Up) << "2024-02-01 00:59:59";
    QTest::newRow("minute up") << 15 << int(Qt::Key_Up) << "2024-02-01 00:00:59";
    QTest::newRow("second up") << 18 << int(Qt::Key_Up) << "2024-02-01 00:00:00";
    QTest::newRow("second down") << 19 << int(Qt::Key_Down) << "2024-01-31 23:59:58";
    QTest::newRow("start of the text is the year") << 0 << int(Qt::Key_Down) << "2023-01-31 23:59:59";
}

void TestDateTimeEdit::arrowsStepThePartUnderTheCursor()
{
    QFETCH(int, cursor);
    QFETCH(int, key);
    QFETCH(QString, after);
    TMcxDateEdit edit;
    edit.setMode(TMcxDateEdit::Mode::DateTime);
    edit.setText(QStringLiteral("2024-01-31 23:59:59"));
    edit.lineEdit()->setCursorPosition(cursor);
    QTest::keyClick(edit.lineEdit(), Qt::Key(key));
    QCOMPARE(edit.text(), after);
    QCOMPARE(edit.lineEdit()->cursorPosition(), cursor); // the next press steps the same part
}

void TestDateTimeEdit::arrowsOnEmptyAndOnBadText()
{
    TMcxDateEdit edit;
    edit.setMode(TMcxDateEdit::Mode::DateTime);
    QTest::keyClick(edit.lineEdit(), Qt::Key_Up);
    QCOMPARE(edit.text(), QStringLiteral("2026-03-05 10:20:30"));
    edit.setText(QStringLiteral("2026-13-01 08:00"));
    QTest::keyClick(edit.lineEdit(), Qt::Key_Up);
    QCOMPARE(edit.text(), QStringLiteral("2026-13-01 08:00"));
}

void TestDateTimeEdit::leavingTheEditTidiesTheText()
{
    TMcxDateEdit edit;
    edit.setMode(TMcxDateEdit::Mode::DateTime);
    edit.setText(QStringLiteral("2026-3-5 8:0"));
    Q_EMIT edit.lineEdit()->editingFinished();
    QCOMPARE(edit.text(), QStringLiteral("2026-03-05 08:00:00"));
    edit.setText(QStringLiteral("下午三点"));
    Q_EMIT edit.lineEdit()->editingFinished();
    QCOMPARE(edit.text(), QStringLiteral("下午三点"));
}

void TestDateTimeEdit::dropDownTakesDayAndTime()
{
    TMcxDateEdit edit;
    edit.setMode(TMcxDateEdit::Mode::DateTime);
    edit.setText(QStringLiteral("2026-03-05 08:15:00"));
    edit.show();
    edit.showCalendar();
    QWidget* popup = edit.calendarPopup();
    QVERIFY(popup->isVisible());
    auto* calendar = popup->findChild<QCalendarWidget*>();
    QCOMPARE(calendar->selectedDate(), QDate(2026, 3, 5));
    QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
    QCOMPARE(edit.timePart()->time(), QTime(8, 15));
    // A click on a day only selects it; the time can still be set.
    calendar->setSelectedDate(QDate(2026, 3, 20));
    Q_EMIT calendar->clicked(QDate(2026, 3, 20));
    QVERIFY(popup->isVisible());
    QCOMPARE(edit.text(), QStringLiteral("2026-03-05 08:15:00"));
    edit.timePart()->setTime(QTime(19, 45, 5));
    popup->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    QVERIFY(!popup->isVisible());
    QCOMPARE(edit.text(), QStringLiteral("2026-03-20 19:45:05"));
}

void TestDateTimeEdit::dropDownNowAndClear()
{
    TMcxDateEdit edit;
    edit.setMode(TMcxDateEdit::Mode::DateTime);
    edit.show();
    edit.showCalendar();
    QCOMPARE(edit.timePart()->time(), QTime(10, 20, 30)); // an empty edit offers now
    edit.calendarPopup()->findChild<QPushButton*>(QStringLiteral("btnToday"))->click();
    QCOMPARE(edit.text(), QStringLiteral("2026-03-05 10:20:30"));
    edit.showCalendar();
    edit.calendarPopup()->findChild<QPushButton*>(QStringLiteral("btnClear"))->click();
    QVERIFY(edit.isEmpty());
    QVERIFY(!edit.calendarPopup()->isVisible());
}

void TestDateTimeEdit::keyboardOpensTheDropDown()
{
    for (const TMcxDateEdit::Mode mode : {TMcxDateEdit::Mode::Date, TMcxDateEdit::Mode::DateTime}) {
        TMcxDateEdit edit;
        edit.setMode(mode);
        edit.show();
        QTest::keyClick(edit.lineEdit(), Qt::Key_F4);
        QVERIFY(edit.calendarPopup() && edit.calendarPopup()->isVisible());
        edit.calendarPopup()->hide();
        QTest::keyClick(edit.lineEdit(), Qt::Key_Down, Qt::AltModifier);
        QVERIFY(edit.calendarPopup()->isVisible());
        QCOMPARE(edit.timePart() != nullptr, mode == TMcxDateEdit::Mode::DateTime);
        edit.calendarPopup()->hide();
    }
}

QTEST_MAIN(TestDateTimeEdit)
#include "tst_datetimeedit.moc"
