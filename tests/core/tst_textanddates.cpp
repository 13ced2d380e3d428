#include "core/data/DateRange.h"
#include "core/data/ParamList.h"
#include "core/data/TextFile.h"
#include "mock/MockClock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The small rules the books share: list parameters, date ranges and the
// text files of lines.
class TestTextAndDates : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void cleanup() { Clock::setInstance(nullptr); }

    void listParameterItems_data();
    void listParameterItems();
    void rangeConditions_data();
    void rangeConditions();
    void rangeStartFromDays_data();
    void rangeStartFromDays();
    void rangeStartBeyondTheCalendar_data();
    void rangeStartBeyondTheCalendar();
    void textFileRoundTrip_data();
    void textFileRoundTrip();
    void textFileReadsOlderEncoding();
    void unwritableTextFileKeepsTheOld();
};

void TestTextAndDates::listParameterItems_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("three words") << "家人 朋友 同事" << QStringList{"家人", "朋友", "同事"};
    QTest::newRow("two spaces") << "家人  朋友" << QStringList{"家人", "", "朋友"};
    QTest::newRow("trailing space") << "家人 " << QStringList{"家人", ""};
    QTest::newRow("empty") << "" << QStringList{""};
    QTest::newRow("full-width space is no separator") << "家人　朋友" << QStringList{"家人　朋友"};
    QTest::newRow("duplicates stay") << "a a" << QStringList{"a", "a"};
}

void TestTextAndDates::listParameterItems()
{
    QFETCH(QString, value);
    QFETCH(QStringList, items);
    QCOMPARE(ParamList::split(value), items);
}

void TestTextAndDates::rangeConditions_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QString>("sql");
    QTest::newRow("both") << QDate(2026, 11, 11) << QDate(2026, 12, 11)
                          << " and dt >= #2026-11-11# and dt - 1 < #2026-12-11#";
    QTest::newRow("no start") << QDate() << QDate(2026, 1, 2) << " and dt - 1 < #2026-01-02#";
    QTest::newRow("no end") << QDate(2026, 1, 2) << QDate() << " and dt >= #2026-01-02#";
    QTest::newRow("none") << QDate() << QDate() << "";
}

void TestTextAndDates::rangeConditions()
{
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QString, sql);
    QCOMPARE(DateRange::conditions(start, end), sql);
}

void TestTextAndDates::rangeStartFromDays_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<bool>("fallback");
    QTest::newRow("thirty") << "30" << QDate(2026, 2, 27) << false;
    QTest::newRow("zero: today only") << "0" << QDate(2026, 3, 29) << false;
    QTest::newRow("letters") << "abc" << QDate(2025, 9, 30) << true;
    QTest::newRow("empty") << "" << QDate(2025, 9, 30) << true;
    QTest::newRow("fraction") << "1.5" << QDate(2025, 9, 30) << true;
}

void TestTextAndDates::rangeStartBeyondTheCalendar_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<bool>("fallback");
    QTest::newRow("far past") << "99999999" << QDate(2025, 9, 30) << true;
    QTest::newRow("largest whole number") << "2147483647" << QDate(2025, 9, 30) << true;
    QTest::newRow("far future") << "-99999999" << QDate(2025, 9, 30) << true;
    QTest::newRow("back to year 100") << QString::number(QDate(100, 1, 1).daysTo(QDate(2026, 3, 29)))
                                      << QDate(100, 1, 1) << false;
    QTest::newRow("one day before year 100")
        << QString::number(QDate(100, 1, 1).daysTo(QDate(2026, 3, 29)) + 1) << QDate(2025, 9, 30) << true;
    QTest::newRow("up to the last day of 9999")
        << QString::number(QDate(9999, 12, 31).daysTo(QDate(2026, 3, 29))) << QDate(9999, 12, 31) << false;
}

void TestTextAndDates::rangeStartBeyondTheCalendar()
{
    rangeStartFromDays();
}

void TestTextAndDates::rangeStartFromDays()
{
    QFETCH(QString, value);
    QFETCH(QDate, start);
    QFETCH(bool, fallback);
    MockClock::install(QDateTime(QDate(2026, 3, 29), QTime(23, 59)));
    const DateRange::Start result = DateRange::startFromDays(value, 180);
    QCOMPARE(result.date, start);
    QCOMPARE(result.usedFallback, fallback);
}

void TestTextAndDates::textFileRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("two lines")
        << "第一行\n第二行"
        << QByteArray("\xE7\xAC\xAC\xE4\xB8\x80\xE8\xA1\x8C\r\n\xE7\xAC\xAC\xE4\xBA\x8C\xE8\xA1\x8C\r\n")
        << "第一行\n第二行";
    QTest::newRow("empty pad") << "" << QByteArray() << "";
    QTest::newRow("empty middle line") << "a\n\nb" << QByteArray("a\r\n\r\nb\r\n") << "a\n\nb";
    QTest::newRow("trailing newline") << "a\n" << QByteArray("a\r\n") << "a";
}

void TestTextAndDates::textFileRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, readBack);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BaseString.txt"));
    QVERIFY(TextFile::write(path, text));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(TextFile::read(path).value(), readBack);
}

void TestTextAndDates::textFileReadsOlderEncoding()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BaseString.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xB3\xA3\xD3\xC3\xD7\xD6\xB7\xFB\r\nabc\r\n"); // 常用字符, in GBK
    file.close();
    QCOMPARE(TextFile::read(path).value(), QStringLiteral("常用字符\nabc"));
    QVERIFY(!TextFile::read(dir.filePath(QStringLiteral("missing.txt"))).has_value());
}

void TestTextAndDates::unwritableTextFileKeepsTheOld()
{
    QTemporaryDir dir;
    QVERIFY(!TextFile::write(dir.filePath(QStringLiteral("no/such/folder.txt")), QStringLiteral("x")));
    const QString path = dir.filePath(QStringLiteral("BaseString.txt"));
    QVERIFY(TextFile::write(path, QStringLiteral("旧内容")));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool written = TextFile::write(path, QStringLiteral("新内容"));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (written) {
        QSKIP("running as a user that can write anywhere");
    }
    QCOMPARE(TextFile::read(path).value(), QStringLiteral("旧内容"));
}

QTEST_GUILESS_MAIN(TestTextAndDates)
#include "tst_textanddates.moc"
