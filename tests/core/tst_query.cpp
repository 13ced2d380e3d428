#include "core/books/LedgerTotals.h"
#include "core/data/DbError.h"
#include "core/data/Query.h"
#include "mock/InsertRow.h"
#include "mock/MockClock.h"
#include "mock/TestDatabase.h"

#include <QTest>

// The query object: typed writes as the edit controls give them, and the
// edit, append, post and delete cycle on the table the statement reads.
class TestQuery : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void init() { MockClock::install(QDateTime(QDate(2026, 12, 11), QTime(10, 0))); }

    void cleanup() { Clock::setInstance(nullptr); }

    void storesTypedValues_data();
    void storesTypedValues();
    void refusesValuesTheColumnCannotTake_data();
    void refusesValuesTheColumnCannotTake();
    void appendAssignsFreshKeys();
    void editChangesOnlyThatRow();
    void cancelRestoresTheRow();
    void deleteRemovesTheCurrentRow();
    void hostileTextIsStoredAsTyped();
    void computedRowsCannotBeEdited();
    void missingColumnFails();
    void refusesNulAndAmountsPastTheRange_data();
    void refusesNulAndAmountsPastTheRange();
    void ledgerTotals_data();
    void ledgerTotals();
    void bindsEachColumnType_data();
    void bindsEachColumnType();
    void boundTextIsOnlyEverAValue();
    void everyParameterNeedsAValue_data();
    void everyParameterNeedsAValue();
    void savedRowLandsWhereARequeryPutsIt_data();
    void savedRowLandsWhereARequeryPutsIt();
    void orderItCannotFollowLeavesTheRows_data();
    void orderItCannotFollowLeavesTheRows();
};

void TestQuery::storesTypedValues_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<bool>("storedNull");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("empty money is NULL") << "Income"
                                         << "jine" << QVariant(QString()) << true << "";
    QTest::newRow("empty number is NULL") << "Dianhua"
                                          << "ord" << QVariant(QStringLiteral("")) << true << "";
    QTest::newRow("empty date is NULL") << "Jishi"
                                        << "dt" << QVariant(QStringLiteral("")) << true << "";
    QTest::newRow("empty text stays text") << "Dianhua"
                                           << "xingming" << QVariant(QStringLiteral("")) << false << "";
    QTest::newRow("money exact") << "Income"
                                 << "jine" << QVariant(QStringLiteral("12345.6789")) << false << "12345.6789";
    QTest::newRow("money rounds to four decimals")
        << "Spend"
        << "jine" << QVariant(QStringLiteral("0.00005")) << false << "0.0001";
    QTest::newRow("money negative") << "Spend"
                                    << "jine" << QVariant(QStringLiteral("-3.5")) << false << "-3.50";
    QTest::newRow("number as typed") << "Dianhua"
                                     << "ord" << QVariant(QStringLiteral("10")) << false << "10";
    QTest::newRow("number with fraction") << "param_yuegong"
                                          << "lilv" << QVariant(QStringLiteral("6.55")) << false << "6.55";
    QTest::newRow("date text") << "Jishi"
                               << "dt" << QVariant(QStringLiteral("2024-02-29")) << false << "2024-02-29";
    QTest::newRow("date drops the time") << "Income"
                                         << "dt" << QVariant(QDateTime(QDate(2026, 1, 2), QTime(23, 59))) << false
                                         << "2026-01-02";
    QTest::newRow("date and time") << "alert"
                                   << "dt" << QVariant(QStringLiteral("2026-12-24 20:30")) << false
                                   << "2026-12-24 20:30:00";
    QTest::newRow("integer") << "alert"
                             << "knd" << QVariant(QStringLiteral("6")) << false << "6";
    QTest::newRow("fifty characters") << "param"
                                      << "val" << QVariant(QString(50, QChar(0x4E2D))) << false
                                      << QString(50, QChar(0x4E2D));
    QTest::newRow("emoji counted as characters")
        << "param"
        << "val" << QVariant(QString::fromUtf8("😀").repeated(50)) << false << QString::fromUtf8("😀").repeated(50);
}

void TestQuery::storesTypedValues()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QVariant, input);
    QFETCH(bool, storedNull);
    QFETCH(QString, readBack);

    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from ") + table);
    query.open();
    query.append();
    query.setValue(column, input);
    query.post();
    const QString oid = query.asText(QStringLiteral("oid"));

    Query reread(db.connection());
    reread.setSql(QStringLiteral("select * from ") + table + QStringLiteral(" where oid = ") + oid);
    reread.open();
    QCOMPARE(reread.rowCount(), 1);
    QCOMPARE(reread.isNull(column), storedNull);
    QCOMPARE(reread.asText(column), readBack);
}

void TestQuery::refusesValuesTheColumnCannotTake_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("caption");

    QTest::newRow("letters in money") << "Income"
                                      << "jine"
                                      << "十块"
                                      << "金额";
    QTest::newRow("two points in money") << "Spend"
                                         << "jine"
                                         << "1.2.3"
                                         << "金额";
    QTest::newRow("money beyond 19 digits") << "Spend"
                                            << "jine"
                                            << "99999999999999999999"
                                            << "金额";
    QTest::newRow("letters in sort number") << "Dianhua"
                                            << "ord"
                                            << "abc"
                                            << "编号(排序)";
    QTest::newRow("impossible date") << "Jishi"
                                     << "dt"
                                     << "2026-02-30"
                                     << "日期";
    QTest::newRow("not a date") << "bb_jishi"
                                << "dt"
                                << "明天"
                                << "日期";
    QTest::newRow("fraction in integer") << "alert"
                                         << "knd"
                                         << "1.5"
                                         << "提醒方式";
    QTest::newRow("parameter over 50") << "param"
                                       << "val" << QString(51, QLatin1Char('x')) << "值";
}

void TestQuery::refusesValuesTheColumnCannotTake()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, input);
    QFETCH(QString, caption);

    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from ") + table);
    query.open();
    const int before = query.rowCount();
    query.append();
    try {
        query.setValue(column, input);
        QFAIL("the value was accepted");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(caption), qPrintable(error.message()));
        QVERIFY2(error.message().contains(input.left(30)), qPrintable(error.message()));
    }
    query.cancel();

    Query reread(db.connection());
    reread.setSql(QStringLiteral("select * from ") + table);
    reread.open();
    QCOMPARE(reread.rowCount(), before);
}

void TestQuery::appendAssignsFreshKeys()
{
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from Beiwang where 1=1 order by ord"));
    query.open();
    QVERIFY(query.isEmpty());
    QList<int> keys;
    for (int i = 0; i < 3; ++i) {
        query.append();
        query.setValue(QStringLiteral("title"), QStringLiteral("备忘%1").arg(i));
        query.post();
        keys << query.asText(QStringLiteral("oid")).toInt();
    }
    QVERIFY(keys[0] > 0);
    QVERIFY(keys[0] < keys[1] && keys[1] < keys[2]);

    // A deleted key is never handed out again.
    query.deleteCurrent();
    query.append();
    query.post();
    QVERIFY(query.asText(QStringLiteral("oid")).toInt() > keys[2]);
}

void TestQuery::editChangesOnlyThatRow()
{
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from sysparam where param = 'showhint'"));
    query.open();
    query.edit();
    query.setValue(QStringLiteral("val"), QStringLiteral("N"));
    query.post();

    Query check(db.connection());
    check.setSql(QStringLiteral("select param, val from sysparam order by oid"));
    check.open();
    QStringList values;
    for (check.first(); !check.eof(); check.next()) {
        values << check.asText(QStringLiteral("param")) + QLatin1Char('=') + check.asText(QStringLiteral("val"));
    }
    QCOMPARE(values.join(QLatin1Char(' ')),
             QStringLiteral("hideonmin=N showhint=N startmin=N myurl=Y loginpwd= qq= useflag=0 userno="));
}

void TestQuery::cancelRestoresTheRow()
{
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from param_yuegong where oid = 1"));
    query.open();
    query.edit();
    query.setValue(QStringLiteral("jine"), QStringLiteral("99"));
    query.cancel();
    QCOMPARE(query.asText(QStringLiteral("jine")), QStringLiteral("50"));
    query.setSql(QStringLiteral("select * from param_yuegong where oid = 1"));
    query.open();
    QCOMPARE(query.asText(QStringLiteral("jine")), QStringLiteral("50"));
}

void TestQuery::deleteRemovesTheCurrentRow()
{
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from MyUrl where 1=1 order by ord"));
    query.open();
    for (int i = 1; i <= 3; ++i) {
        query.append();
        query.setValue(QStringLiteral("title"), QStringLiteral("链接%1").arg(i));
        query.setValue(QStringLiteral("ord"), QString::number(i));
        query.post();
    }
    query.open();
    query.setRecNo(1);
    query.deleteCurrent();
    QCOMPARE(query.rowCount(), 2);
    QCOMPARE(query.asText(QStringLiteral("title")), QStringLiteral("链接3"));
    query.open();
    QCOMPARE(query.rowCount(), 2);
    QCOMPARE(query.asText(QStringLiteral("title")), QStringLiteral("链接1"));
}

void TestQuery::hostileTextIsStoredAsTyped()
{
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from Dianhua"));
    query.open();
    const QString name = QStringLiteral("O'Brien \"x\"; drop table Dianhua; -- <b>粗</b> 😀");
    const QString remark = QString(10000, QLatin1Char('r'));
    query.append();
    query.setValue(QStringLiteral("xingming"), name);
    query.setValue(QStringLiteral("remark"), remark);
    query.post();
    query.setSql(QStringLiteral("select * from Dianhua"));
    query.open();
    QCOMPARE(query.rowCount(), 1);
    QCOMPARE(query.asText(QStringLiteral("xingming")), name);
    QCOMPARE(query.asText(QStringLiteral("remark")), remark);
}

void TestQuery::computedRowsCannotBeEdited()
{
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select min(oid) as m from param"));
    query.open();
    QVERIFY_THROWS_EXCEPTION(DbError, query.edit());
}

void TestQuery::missingColumnFails()
{
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from Beiwang"));
    query.open();
    QVERIFY_THROWS_EXCEPTION(DbError, query.asText(QStringLiteral("nosuch")));
    query.append();
    QVERIFY_THROWS_EXCEPTION(DbError, query.setValue(QStringLiteral("nosuch"), QStringLiteral("x")));
}

void TestQuery::bindsEachColumnType_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("amount");   // bound as Money when not empty
    QTest::addColumn<QString>("storedAs"); // typeof() in SQLite: numbers stay numbers
    QTest::addColumn<QString>("readBack");

    QTest::newRow("text") << "t" << QVariant(QStringLiteral("张三 O'Brien")) << ""
                          << "text"
                          << "张三 O'Brien";
    QTest::newRow("integer") << "i" << QVariant(qlonglong(9007199254740993)) << ""
                             << "integer"
                             << "9007199254740993";
    QTest::newRow("money") << "m" << QVariant() << "1234.5678"
                           << "integer"
                           << "1234.5678";
    QTest::newRow("negative money") << "m" << QVariant() << "-0.01"
                                    << "integer"
                                    << "-0.01";
    QTest::newRow("date") << "d" << QVariant(QDate(2024, 2, 29)) << ""
                          << "integer"
                          << "2024-02-29";
    QTest::newRow("date and time") << "dtm" << QVariant(QDateTime(QDate(2026, 12, 24), QTime(20, 30))) << ""
                                   << "real"
                                   << "2026-12-24 20:30:00";
    QTest::newRow("NULL") << "t" << QVariant() << ""
                          << "null"
                          << "";
}

void TestQuery::bindsEachColumnType()
{
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    QFETCH(QString, amount);
    QFETCH(QString, storedAs);
    QFETCH(QString, readBack);
    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("create table probe (oid INTEGER PRIMARY KEY AUTOINCREMENT, t VARCHAR(50), "
                                "i INTEGER, m MONEY, d DATE, dtm DATETIME)"));
    query.execSql();
    query.setSql(QStringLiteral("insert into probe (t) values ('other')"));
    query.execSql();
    const auto bindValue = [&] {
        if (amount.isEmpty()) {
            query.setParam(QStringLiteral("v"), value);
        } else {
            query.setParam(QStringLiteral("v"), *Money::parse(amount));
        }
    };

    query.setSql(QStringLiteral("insert into probe (") + column + QStringLiteral(") values (:v)"));
    bindValue();
    query.execSql();

    // The same value finds the row again: it was stored as the column stores it.
    query.setSql(QStringLiteral("select *, typeof(") + column + QStringLiteral(") as stored from probe where ") +
                 column + QStringLiteral(" is :v"));
    bindValue();
    query.open();
    QCOMPARE(query.rowCount(), 1);
    QCOMPARE(query.asText(QStringLiteral("stored")), storedAs);
    QCOMPARE(query.asText(column), readBack);
    QCOMPARE(query.isNull(column), value.isNull() && amount.isEmpty());
}

void TestQuery::boundTextIsOnlyEverAValue()
{
    TestDatabase db;
    Query query(db.connection());
    const QStringList names = {QStringLiteral("张三"), QStringLiteral("x' or '1'='1"), QStringLiteral("a :b ? @c #1#")};
    for (const QString& name : names) {
        query.setSql(QStringLiteral("insert into Dianhua (xingming) values (:name)"));
        query.setParam(QStringLiteral("name"), name);
        query.execSql();
    }
    for (const QString& name : names) {
        query.setSql(QStringLiteral("select * from Dianhua where xingming = :name"));
        query.setParam(QStringLiteral("name"), name);
        query.open();
        QCOMPARE(query.rowCount(), 1);
        QCOMPARE(query.asText(QStringLiteral("xingming")), name);
    }
    // A bound key keeps the select editable, as the editor needs.
    query.setSql(QStringLiteral("select * from Dianhua where oid = :oid"));
    query.setParam(QStringLiteral("oid"), qlonglong(2));
    query.open();
    query.edit();
    query.setValue(QStringLiteral("xingming"), QStringLiteral("李四"));
    query.post();
    query.setSql(QStringLiteral("select xingming from Dianhua where oid = ?"));
    query.setParam(1, 2);
    query.open();
    QCOMPARE(query.asText(QStringLiteral("xingming")), QStringLiteral("李四"));
}

void TestQuery::everyParameterNeedsAValue_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("positions");
    QTest::addColumn<bool>("runs");
    QTest::newRow("named, given") << "select * from param where param = :p and val = :v" << QStringList{"p", "v"} << 0
                                  << true;
    QTest::newRow("named twice, given once")
        << "select * from param where param = :p or val = :p" << QStringList{"p"} << 0 << true;
    QTest::newRow("named, missing") << "select * from param where param = :p and val = :v" << QStringList{"p"} << 0
                                    << false;
    QTest::newRow("value without a place")
        << "select * from param where param = :p" << QStringList{"p", "q"} << 0 << false;
    QTest::newRow("misspelt name") << "select * from param where param = :name" << QStringList{"nmae"} << 0 << false;
    QTest::newRow("positional, given") << "select * from param where param = ? and val = ?" << QStringList{} << 2
                                       << true;
    QTest::newRow("positional, missing") << "select * from param where param = ? and val = ?" << QStringList{} << 1
                                         << false;
    QTest::newRow("none") << "select * from param" << QStringList{} << 0 << true;
}

void TestQuery::everyParameterNeedsAValue()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, names);
    QFETCH(int, positions);
    QFETCH(bool, runs);
    TestDatabase db;
    Query query(db.connection());
    // Values given for an earlier statement never carry over.
    query.setSql(QStringLiteral("select * from param where param = :v"));
    query.setParam(QStringLiteral("v"), QStringLiteral("old"));
    query.setSql(sql);
    for (const QString& name : names) {
        query.setParam(name, QStringLiteral("x"));
    }
    for (int i = 1; i <= positions; ++i) {
        query.setParam(i, QStringLiteral("x"));
    }
    if (runs) {
        query.open();
        QVERIFY(query.isActive());
        query.execSql();
    } else {
        QVERIFY_THROWS_EXCEPTION(DbError, query.open());
        QVERIFY_THROWS_EXCEPTION(DbError, query.execSql());
    }
}

QTEST_GUILESS_MAIN(TestQuery)

void TestQuery::refusesNulAndAmountsPastTheRange_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");

    const QString nul = QStringLiteral("前") + QChar(0) + QStringLiteral("后");
    const QString nulMessage = QStringLiteral("“%1”不能保存为“前\u2400后”：含有空字符（NUL），请删去后再保存。");
    QTest::newRow("NUL in a short text") << "Jishi"
                                         << "leixing" << nul << nulMessage.arg(QStringLiteral("类型"));
    QTest::newRow("NUL in a long text") << "Jishi"
                                        << "jishi" << nul << nulMessage.arg(QStringLiteral("记事"));
    QTest::newRow("amount one unit past the largest")
        << "Income"
        << "jine"
        << "922337203685477.5808"
        << "“金额”不能保存为“922337203685477.5808”：超出了金额的范围（最大 922337203685477.5807）。";
    QTest::newRow("negative amount past the range")
        << "Spend"
        << "jine"
        << "-922337203685477.5808"
        << "“金额”不能保存为“-922337203685477.5808”：超出了金额的范围（最大 922337203685477.5807）。";
    QTest::newRow("twenty digits") << "Spend"
                                   << "jine"
                                   << "99999999999999999999"
                                   << "“金额”不能保存为“99999999999999999999”：超出了金额的范围（最大 "
                                      "922337203685477.5807）。";
    QTest::newRow("rounding past the largest")
        << "Spend"
        << "jine"
        << "922337203685477.58075"
        << "“金额”不能保存为“922337203685477.58075”：超出了金额的范围（最大 922337203685477.5807）。";
}

void TestQuery::refusesNulAndAmountsPastTheRange()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, input);
    QFETCH(QString, message);

    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from ") + table);
    query.open();
    query.append();
    try {
        query.setValue(column, input);
        QFAIL("the value was accepted");
    } catch (const DbError& error) {
        QCOMPARE(error.message(), message);
    }
    query.cancel();
}

void TestQuery::ledgerTotals_data()
{
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("sum");

    QTest::newRow("none") << QStringList{} << 0 << "0.00";
    QTest::newRow("exact tenths") << QStringList{"0.1", "0.2", "", "12.3456"} << 4 << "12.6456";
    QTest::newRow("up to the largest") << QStringList{"922337203685477", "0.5807"} << 2 << "922337203685477.5807";
    QTest::newRow("two halves of a quadrillion")
        << QStringList{"500000000000000", "500000000000000"} << 2 << "合计超出范围";
    QTest::newRow("past the range and back")
        << QStringList{"900000000000000", "900000000000000", "-900000000000000"} << 3 << "合计超出范围";
    QTest::newRow("below the range") << QStringList{"-900000000000000", "-900000000000000"} << 2 << "合计超出范围";
}

void TestQuery::ledgerTotals()
{
    QFETCH(QStringList, amounts);
    QFETCH(int, count);
    QFETCH(QString, sum);

    TestDatabase db;
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from Income"));
    query.open();
    for (const QString& amount : amounts) {
        query.append();
        query.setValue(QStringLiteral("dt"), QDate(2026, 12, 1));
        query.setValue(QStringLiteral("jine"), amount);
        query.post();
    }
    query.close();
    query.open();
    const LedgerTotals totals = LedgerTotals::of(query, QStringLiteral("jine"));
    QCOMPARE(totals.count, count);
    QCOMPARE(totals.countText(), QStringLiteral("%1 条").arg(count));
    QCOMPARE(totals.sumText(), sum);
}

namespace {
// Every cell of every row, and the current row, as text.
QStringList rowsOf(const Query& query)
{
    QStringList rows{QString::number(query.recNo())};
    for (int row = 0; row < query.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < query.columnCount(); ++column) {
            cells << (query.storedValueAt(row, column).isNull() ? QStringLiteral("<null>") : query.textAt(row, column));
        }
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// One change made by someone else (an editor): a new row, or a change to or
// the removal of the row with this oid.
struct Change {
    enum Kind { Add, Set, Remove } kind;

    int oid;
    QVariant ord;
    QString title;
};
} // namespace

void TestQuery::savedRowLandsWhereARequeryPutsIt_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("by ord") << "select * from Beiwang where 1=1 order by ord";
    QTest::newRow("by ord, descending") << "select * from Beiwang where 1=1 order by ord desc";
    QTest::newRow("filtered, two keys") << "select * from Beiwang where ord >= 2 order by [ord], title desc";
    QTest::newRow("by text") << "select * from Beiwang where 1=1 order by title";
    QTest::newRow("no order") << "select * from Beiwang";
    QTest::newRow("bound value") << "select * from Beiwang where ord < :top or ord is null order by ord ASC";
}

void TestQuery::savedRowLandsWhereARequeryPutsIt()
{
    QFETCH(QString, sql);
    TestDatabase db;
    Query writer(db.connection());
    writer.setSql(QStringLiteral("select * from Beiwang where oid = :oid"));
    const auto write = [&](const Change& change) {
        writer.setParam(QStringLiteral("oid"), change.oid);
        writer.open();
        if (change.kind == Change::Remove) {
            writer.deleteCurrent();
            return change.oid;
        }
        if (change.kind == Change::Add) {
            writer.append();
        } else {
            writer.edit();
        }
        writer.setValue(QStringLiteral("ord"), change.ord);
        writer.setValue(QStringLiteral("title"), change.title);
        writer.post();
        return int(writer.currentKey());
    };
    // Equal sort keys, NULL, whole and fractional numbers, Chinese and Latin text.
    for (const auto& [ord, title] : std::vector<std::pair<QVariant, QString>>{{2, QStringLiteral("乙")},
                                                                              {1, QStringLiteral("甲")},
                                                                              {2, QStringLiteral("丙")},
                                                                              {QString(), QStringLiteral("空")},
                                                                              {5, QStringLiteral("b")},
                                                                              {2.5, QStringLiteral("a")},
                                                                              {3, QStringLiteral("乙")}}) {
        write({Change::Add, 0, ord, title});
    }
    const std::vector<Change> changes = {
        {Change::Add, 0, 2, QStringLiteral("乙")},         // ties with two rows
        {Change::Add, 0, QString(), QStringLiteral("无")}, // NULL sorts first
        {Change::Add, 0, 0, QStringLiteral("零")},
        {Change::Set, 2, 9, QStringLiteral("甲")},   // the first row goes last
        {Change::Set, 5, 5, QStringLiteral("改名")}, // stays, text only
        {Change::Set, 6, 1, QStringLiteral("a")},    // leaves the filtered list
        {Change::Set, 4, 2, QStringLiteral("回来")}, // NULL comes back among the ties
        {Change::Add, 0, 7, QStringLiteral("")},     // empty text
        {Change::Remove, 3, {}, {}},
        {Change::Set, 1, 2.0, QStringLiteral("乙")}, // the very same keys again
        {Change::Add, 0, -1, QStringLiteral("负")},
    };
    const bool bound = sql.contains(QLatin1String(":top"));
    const auto run = [&](Query& query) {
        query.setSql(sql);
        if (bound) {
            query.setParam(QStringLiteral("top"), 6);
        }
        query.open();
    };
    const auto lists = [](const Query& query, int oid) {
        for (int row = 0; row < query.rowCount(); ++row) {
            if (query.storedValueAt(row, query.columnIndex(QStringLiteral("oid"))).toInt() == oid) {
                return row;
            }
        }
        return -1;
    };
    Query list(db.connection());
    run(list);
    for (const Change& change : changes) {
        const int oid = write(change);
        const int listedAt = lists(list, oid);
        list.setRecNo(list.rowCount() - 1);
        const std::optional<Query::RowMove> move = list.refreshKey(oid);
        QVERIFY(move.has_value());

        Query fresh(db.connection());
        run(fresh);
        QCOMPARE(rowsOf(list), rowsOf(fresh));
        QCOMPARE(move->from, listedAt);
        QCOMPARE(move->to, lists(fresh, oid));
    }
}

void TestQuery::orderItCannotFollowLeavesTheRows_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("computed order") << "select * from Beiwang order by ord * 2";
    QTest::newRow("limit") << "select * from Beiwang order by ord limit 2";
    QTest::newRow("grouped") << "select title, count(*) as n from Beiwang group by title order by title";
    QTest::newRow("order by a column not shown") << "select title from Beiwang order by ord";
}

void TestQuery::orderItCannotFollowLeavesTheRows()
{
    QFETCH(QString, sql);
    TestDatabase db;
    for (int i = 0; i < 3; ++i) {
        insertRow(db.connection(), QStringLiteral("Beiwang"),
                  {{"title", QStringLiteral("备忘%1").arg(i)}, {"ord", 3 - i}});
    }
    Query list(db.connection());
    list.setSql(sql);
    list.open();
    const QStringList before = rowsOf(list);
    const int oid =
        insertRow(db.connection(), QStringLiteral("Beiwang"), {{"title", QStringLiteral("新")}, {"ord", 0}});
    QVERIFY(!list.refreshKey(oid).has_value());
    QCOMPARE(rowsOf(list), before);
}

#include "tst_query.moc"
