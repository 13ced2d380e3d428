#include "core/data/DbError.h"
#include "core/data/Query.h"
#include "core/data/SqlDialect.h"
#include "core/data/Statement.h"
#include "mock/MockClock.h"
#include "mock/TestDatabase.h"

#include <QTest>
#include <sqlite3.h>

class TestSqlDialect : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void init() { MockClock::install(QDateTime(QDate(2026, 12, 11), QTime(10, 0))); }

    void cleanup() { Clock::setInstance(nullptr); }

    void translates_data();
    void translates();
    void refusesImpossibleDateLiteral();
    void filterDaysAreInclusive();
    void alertWindowsFollowTheClock_data();
    void alertWindowsFollowTheClock();
    void earliestAlarmReadsAsDateTime();
    void balanceUnionKeepsExactMoney();
    void namesMatchWithoutCase();
    void plainSelectIsEditableOthersAreNot_data();
    void plainSelectIsEditableOthersAreNot();
    void leavesParametersAlone_data();
    void leavesParametersAlone();
    void yearRangeSelectsAsYearDoes_data();
    void yearRangeSelectsAsYearDoes();

private:
    static void addRow(Query& query, const QString& date, const QString& type, const QString& amount);
};

void TestSqlDialect::translates_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("list") << "select * from Dianhua where 1=1 order by ord"
                          << "select * from Dianhua where 1=1 order by ord";
    QTest::newRow("date filter") << "select * from Income where 1=1 and dt >= #2026-12-01# and dt - 1 < #2026-12-11#"
                                 << "select * from Income where 1=1 and dt >= 46357 and dt - 1 < 46367";
    QTest::newRow("date with time") << "select * from alert where dt < #2026-12-11 08:30:00#"
                                    << "select * from alert where dt < 46367.354166666664";
    QTest::newRow("slashes") << "select * from alert where dt < #2000/2/29#"
                             << "select * from alert where dt < 36585";
    QTest::newRow("now plus days") << "select * from alert where 1=1 and dt < now() + 7"
                                   << "select * from alert where 1=1 and dt < pel_now() + 7";
    QTest::newRow("date parts")
        << "select year(dt) as y, month(dt) as m, Day(dt) as d from income where year(dt) >= 2020"
        << "select pel_year(dt) as y, pel_month(dt) as m, pel_day(dt) as d from income "
           "where (+dt >= 43830.999999994216 and +dt < 1e300)";
    QTest::newRow("year as a range") << "select * from spend where year([dt]) = 2020 and 1=1"
                                     << "select * from spend where (+\"dt\" >= 43830.999999994216 and +\"dt\" < "
                                        "44196.999999994216) and 1=1";
    QTest::newRow("year in arithmetic") << "select * from income where year(dt) + 1 >= 2020"
                                        << "select * from income where pel_year(dt) + 1 >= 2020";
    QTest::newRow("year against a sum") << "select * from income where year(dt) >= 2019 + 1"
                                        << "select * from income where pel_year(dt) >= 2019 + 1";
    QTest::newRow("year against a value") << "select * from income where year(dt) >= :y"
                                          << "select * from income where pel_year(dt) >= :y";
    QTest::newRow("year under not") << "select * from income where not year(dt) < 2020"
                                    << "select * from income where not pel_year(dt) < 2020";
    QTest::newRow("min stays") << "select min(dt) as mdt from alert"
                               << "select min(dt) as mdt from alert";
    QTest::newRow("strings untouched") << "select * from Jishi where jishi = '#x# now() year(1)'"
                                       << "select * from Jishi where jishi = '#x# now() year(1)'";
    QTest::newRow("double-quoted constant") << "select \"it's\" as a from param"
                                            << "select 'it''s' as a from param";
    QTest::newRow("bracketed name") << "select [val] from [param]"
                                    << "select \"val\" from \"param\"";
    QTest::newRow("column named day") << "select day from t"
                                      << "select day from t";
}

void TestSqlDialect::translates()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(SqlDialect::translate(jet).sql, sqlite);
}

void TestSqlDialect::refusesImpossibleDateLiteral()
{
    QVERIFY_THROWS_EXCEPTION(DbError,
                             SqlDialect::translate(QStringLiteral("select * from Income where dt > #2026-02-30#")));
}

void TestSqlDialect::addRow(Query& query, const QString& date, const QString& type, const QString& amount)
{
    query.append();
    query.setValue(QStringLiteral("dt"), date);
    query.setValue(QStringLiteral("leixing"), type);
    query.setValue(QStringLiteral("jine"), amount);
    query.post();
}

void TestSqlDialect::filterDaysAreInclusive()
{
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from Income where 1=1"));
    query.open();
    for (const char* day : {"2026-11-30", "2026-12-01", "2026-12-05", "2026-12-11", "2026-12-12"}) {
        addRow(query, QString::fromLatin1(day), QStringLiteral("工资"), QStringLiteral("1"));
    }
    query.setSql(QStringLiteral("select * from Income where 1=1 and dt >= #2026-12-01# and dt - 1 < #2026-12-11# "
                                "order by dt"));
    query.open();
    QCOMPARE(query.rowCount(), 3);
    QCOMPARE(query.asText(QStringLiteral("dt")), QStringLiteral("2026-12-01"));
    query.setRecNo(2);
    QCOMPARE(query.asText(QStringLiteral("dt")), QStringLiteral("2026-12-11"));
}

void TestSqlDialect::alertWindowsFollowTheClock_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("expected");
    QTest::newRow("due") << " and dt < now()" << 2;
    QTest::newRow("seven days") << " and dt < now() + 7" << 3;
    QTest::newRow("a month") << " and dt < now() + 31" << 4;
    QTest::newRow("a year") << " and dt < now() + 365" << 5;
}

void TestSqlDialect::alertWindowsFollowTheClock()
{
    QFETCH(QString, condition);
    QFETCH(int, expected);
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from alert where 1=1"));
    query.open();
    // The clock stands at 2026-12-11 10:00.
    for (const char* when : {"2026-12-01 08:00", "2026-12-11 09:59:59", "2026-12-18 09:00", "2027-01-10 12:00",
                             "2027-12-01 00:00", "2028-06-01 00:00"}) {
        query.append();
        query.setValue(QStringLiteral("dt"), QString::fromLatin1(when));
        query.setValue(QStringLiteral("title"), QStringLiteral("提醒"));
        query.setValue(QStringLiteral("knd"), QStringLiteral("0"));
        query.post();
    }
    query.setSql(QStringLiteral("select * from alert where 1=1") + condition);
    query.open();
    QCOMPARE(query.rowCount(), expected);
}

void TestSqlDialect::earliestAlarmReadsAsDateTime()
{
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select min(dt) as mdt from alert"));
    query.open();
    QCOMPARE(query.rowCount(), 1);
    QCOMPARE(query.asText(QStringLiteral("mdt")), QString());

    query.setSql(QStringLiteral("select * from alert"));
    query.open();
    for (const char* when : {"2026-12-20 07:15:30", "2026-12-12 18:45:00"}) {
        query.append();
        query.setValue(QStringLiteral("dt"), QString::fromLatin1(when));
        query.post();
    }
    query.setSql(QStringLiteral("select min(dt) as mdt from alert"));
    query.open();
    QCOMPARE(query.asDateTime(QStringLiteral("mdt")), QDateTime(QDate(2026, 12, 12), QTime(18, 45)));
    QCOMPARE(query.asText(QStringLiteral("mdt")), QStringLiteral("2026-12-12 18:45:00"));
}

void TestSqlDialect::balanceUnionKeepsExactMoney()
{
    TestDatabase db;
    Query query(db.connection());
    for (const char* table : {"income", "spend"}) {
        query.setSql(QStringLiteral("select * from ") + QString::fromLatin1(table));
        query.open();
        for (int i = 0; i < 10; ++i) {
            addRow(query, QStringLiteral("2026-03-0%1").arg(i % 9 + 1), QStringLiteral("其他"), QStringLiteral("0.1"));
        }
    }
    addRow(query, QStringLiteral("2019-05-05"), QStringLiteral("餐饮"), QStringLiteral("99"));
    query.setSql(QStringLiteral(
        "select year(dt) as y, month(dt) as m, day(dt) as d, dt,'收入' as leixing,ren,jine from income where "
        "year(dt) >= 2020 union all select year(dt) as y, month(dt) as m, day(dt) as d, dt,'支出' as "
        "leixing,ren,"
        "0-jine from spend where year(dt) >= 2020"));
    query.open();
    QCOMPARE(query.rowCount(), 20);
    QCOMPARE(query.columnType(query.columnIndex(QStringLiteral("y"))).kind, ColumnKind::Integer);
    QCOMPARE(query.columnType(query.columnIndex(QStringLiteral("jine"))).kind, ColumnKind::Money);
    Money income;
    Money spending;
    int incomeRows = 0;
    for (query.first(); !query.eof(); query.next()) {
        QCOMPARE(query.asText(QStringLiteral("y")), QStringLiteral("2026"));
        QCOMPARE(query.asText(QStringLiteral("m")), QStringLiteral("3"));
        if (query.asText(QStringLiteral("leixing")) == QStringLiteral("收入")) {
            income = income + query.asMoney(QStringLiteral("jine"));
            ++incomeRows;
        } else {
            spending = spending + query.asMoney(QStringLiteral("jine"));
        }
    }
    QCOMPARE(incomeRows, 10);
    QCOMPARE(income.toString(), QStringLiteral("1.00"));
    QCOMPARE(spending.toString(), QStringLiteral("-1.00"));

    query.setSql(QStringLiteral("select sum(jine) as total from income"));
    query.open();
    QCOMPARE(query.asText(QStringLiteral("total")), QStringLiteral("1.00"));
}

void TestSqlDialect::namesMatchWithoutCase()
{
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select VAL from SysParam where PARAM = 'useflag'"));
    query.open();
    QCOMPARE(query.asText(QStringLiteral("val")), QStringLiteral("0"));
    QCOMPARE(query.tableName(), QStringLiteral("SysParam"));
}

void TestSqlDialect::plainSelectIsEditableOthersAreNot_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("editable");
    QTest::newRow("list") << "select * from Dianhua where 1=1 order by ord" << true;
    QTest::newRow("one record") << "select * from param_baobao where oid = 1" << true;
    QTest::newRow("aggregate") << "select min(dt) as mdt from alert" << false;
    QTest::newRow("union") << "select dt from income union all select dt from spend" << false;
    QTest::newRow("two tables") << "select * from income, spend" << false;
}

void TestSqlDialect::plainSelectIsEditableOthersAreNot()
{
    QFETCH(QString, statement);
    QFETCH(bool, editable);
    QCOMPARE(SqlDialect::translate(statement).editableTable.isEmpty(), !editable);
}

void TestSqlDialect::leavesParametersAlone_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::addColumn<bool>("editable");
    QTest::newRow("named") << "select * from Income where dt >= :start and leixing = :type"
                           << "select * from Income where dt >= :start and leixing = :type" << true;
    QTest::newRow("beside a date literal") << "select * from Income where dt >= #2026-12-01# and dt <= :end"
                                           << "select * from Income where dt >= 46357 and dt <= :end" << true;
    QTest::newRow("key") << "select * from Dianhua where oid = :oid"
                         << "select * from Dianhua where oid = :oid" << true;
    QTest::newRow("positional") << "select * from param where param = ? and val = ?2"
                                << "select * from param where param = ? and val = ?2" << true;
    QTest::newRow("other markers") << "select * from param where param = @p or param = $q"
                                   << "select * from param where param = @p or param = $q" << true;
    QTest::newRow("named after a date function") << "select * from alert where dt < :now + :day"
                                                 << "select * from alert where dt < :now + :day" << true;
    QTest::newRow("inside a string") << "select * from Jishi where jishi = ':a ? @b'"
                                     << "select * from Jishi where jishi = ':a ? @b'" << true;
    QTest::newRow("bracketed names") << "select * from [param] where [param] = :name"
                                     << "select * from \"param\" where \"param\" = :name" << true;
    QTest::newRow("aggregate") << "select sum(jine) as s from Spend where dt >= :start"
                               << "select sum(jine) as s from Spend where dt >= :start" << false;
}

void TestSqlDialect::leavesParametersAlone()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QFETCH(bool, editable);
    const SqlDialect::Translation translation = SqlDialect::translate(jet);
    QCOMPARE(translation.sql, sqlite);
    QCOMPARE(!translation.editableTable.isEmpty(), editable);
}

QTEST_GUILESS_MAIN(TestSqlDialect)

void TestSqlDialect::yearRangeSelectsAsYearDoes_data()
{
    QTest::addColumn<QString>("condition");
    for (const char* op : {">=", ">", "<", "<=", "="}) {
        for (int year : {2019, 2020, 2021}) {
            const QString condition = QStringLiteral("year(dt) %1 %2").arg(QLatin1String(op)).arg(year);
            QTest::newRow(condition.toUtf8().constData()) << condition;
        }
    }
}

void TestSqlDialect::yearRangeSelectsAsYearDoes()
{
    QFETCH(QString, condition);
    TestDatabase db;
    sqlite3* handle = db.connection().handle();
    // Day numbers around new year 2020 (43831): the last millisecond of 2019,
    // a time that rounds up to midnight, midnight itself, and values year()
    // gives NULL for.
    const double lastMs = 43831 - 1.0 / 86400000.0;
    const double roundsUp = 43831 - 0.2 / 86400000.0;
    Statement insert(handle, QStringLiteral("INSERT INTO Income (dt, jine) VALUES (?, 1)"));
    const QVariantList values = {43465.0,          43830.5,  lastMs,  roundsUp,   43831.0,
                                 43831.25,         44196.99, 44197.0, QVariant(), QStringLiteral("无日期"),
                                 qlonglong(43900), 44600.0};
    for (const QVariant& value : values) {
        insert.bind(1, value);
        insert.step();
        insert.reset();
    }
    const auto oids = [&db](const QString& sql) {
        Query query(db.connection());
        query.setSql(sql);
        query.open();
        QList<qlonglong> found;
        for (query.first(); !query.eof(); query.next()) {
            found << query.asText(QStringLiteral("oid")).toLongLong();
        }
        return found;
    };
    const QString base = QStringLiteral("select oid from Income where ");
    QVERIFY(!SqlDialect::translate(base + condition).sql.contains(QLatin1String("pel_year")));
    // "+ 0" keeps the function call: the reference answer.
    const QString reference = QString(condition).replace(QLatin1String(")"), QLatin1String(") + 0"));
    QVERIFY(SqlDialect::translate(base + reference).sql.contains(QLatin1String("pel_year")));
    const QList<qlonglong> expected = oids(base + reference + QStringLiteral(" order by oid"));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(oids(base + condition + QStringLiteral(" order by oid")), expected);
}

#include "tst_sqldialect.moc"
