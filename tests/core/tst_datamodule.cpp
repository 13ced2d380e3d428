#include "core/data/DbError.h"
#include "core/data/DefaultSettings.h"
#include "core/data/FirstStart.h"
#include "core/data/Schema.h"
#include "core/data/SchemaMigrator.h"
#include "core/data/SysParams.h"
#include "core/data/Tdm.h"
#include "mock/MockClock.h"
#include "mock/TestDatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>
#include <sqlite3.h>

namespace {
// Runs one statement with the plain SQLite library, as another tool would,
// and returns the rows as "a|b" lines.
QStringList rawQuery(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* stmt = nullptr;
    QStringList rows;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        rows << QStringLiteral("ERROR ") + QString::fromUtf8(sqlite3_errmsg(db));
    }
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        QStringList cells;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            cells << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
        }
        rows << cells.join(QLatin1Char('|'));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
} // namespace

class TestDataModule : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void init() { MockClock::install(QDateTime(QDate(2026, 12, 11), QTime(10, 0, 0, 123))); }

    void cleanup() { Clock::setInstance(nullptr); }

    void freshDatabaseHoldsEveryTable();
    void freshDatabaseHoldsTheSettingsRows();
    void storedSchemaNeedsNoProgramFunctions();
    void identityAndAdvertisementAddresses();
    void loadParamsCachesValuesUnchanged();
    void captureFrequency_data();
    void captureFrequency();
    void unusualProgramFolder_data();
    void unusualProgramFolder();
    void foreignFileIsLeftUntouched_data();
    void foreignFileIsLeftUntouched();
    void upgradeRunsInOneTransaction();
    void failedUpgradeLeavesTheFileAsItWas();
    void firstVersionGetsTheAlarmIndex();
    void firstStartMarker_data();
    void firstStartMarker();
    void lookUpsBindTheirNames_data();
    void lookUpsBindTheirNames();
};

void TestDataModule::freshDatabaseHoldsEveryTable()
{
    TestDatabase folder;
    QVERIFY(!QFile::exists(folder.path()));
    Tdm data;
    QCOMPARE(data.creationError(), QString());
    QVERIFY(QFile::exists(folder.path()));
    QVERIFY(!QFile::exists(folder.path() + QStringLiteral(".new")));

    for (const TableDef& table : Schema::tables()) {
        QStringList columns;
        for (const QString& row : rawQuery(
                 folder.path(), QStringLiteral("select name, type from pragma_table_info('%1')").arg(table.name))) {
            columns << row;
        }
        QStringList expected;
        for (const ColumnDef& column : table.columns) {
            expected << column.name + QLatin1Char('|') + column.type.declared();
        }
        QCOMPARE(columns, expected);
    }
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("pragma application_id")),
             QStringList{QString::number(Schema::kApplicationId)});
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("pragma user_version")),
             QStringList{QString::number(SchemaMigrator().targetVersion())});
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("select oid, jine, lilv, LilvZhekou, nian, Yujichengjiao, "
                                                    "Yujipinggu, shoufu from param_yuegong")),
             QStringList{QStringLiteral("1|50.0|6.55|0.8|20.0|90.0|80.0|3.0")});
    Query baby(data.ADOConnection1());
    baby.setSql(QStringLiteral("select * from param_baobao where oid = 1"));
    baby.open();
    QCOMPARE(baby.rowCount(), 1);
    QCOMPARE(baby.asDateTime(QStringLiteral("bir")).date(), QDate(2026, 12, 11));
}

void TestDataModule::freshDatabaseHoldsTheSettingsRows()
{
    TestDatabase folder;
    Tdm data;
    QStringList sys = rawQuery(folder.path(), QStringLiteral("select param, val from sysparam order by oid"));
    QCOMPARE(sys.join(QLatin1Char(' ')),
             QStringLiteral("hideonmin|N showhint|Y startmin|N myurl|Y loginpwd| qq| useflag|0 userno|"));

    const QStringList params =
        rawQuery(folder.path(), QStringLiteral("select param, val, remark from param order by ord"));
    QCOMPARE(params.size(), 17);
    for (const char* name :
         {"LeixingShouru", "LeixingZhichu", "Ren", "DaysShouru", "DaysZhichu", "DaysJishi", "Leixingjishi",
          "Leixingjishista", "Leixingdianhua", "DaysJiankang", "DaysBaobao", "LeixingJiankang", "LeixingBaobao",
          "LeixingBaobaoJiaoyu", "jiepingpinlv", "jiepingpath", "huyanshijian"}) {
        const QStringList match = params.filter(QRegularExpression(QStringLiteral("^%1\\|").arg(QLatin1String(name))));
        QCOMPARE(match.size(), 1);
        QVERIFY2(!match.first().section(QLatin1Char('|'), 2).isEmpty(), name);
    }
    QVERIFY(params.contains(QStringLiteral("DaysShouru|180|收入列表默认日期范围天数")));
    QVERIFY(params.contains(QStringLiteral("DaysZhichu|30|支出列表默认日期范围天数")));
    QVERIFY(params.contains(QStringLiteral("huyanshijian|60|护眼休息间隔(分钟)，小于1表示不提醒")));
    QCOMPARE(data.LeixingShouru, QStringLiteral("工资 奖金 理财 兼职 其他"));
    QCOMPARE(data.DaysBaobao, QStringLiteral("180"));
    for (const ParamRow& row : DefaultSettings::params()) {
        QVERIFY2(row.val.size() <= 50, qPrintable(row.param));
    }
}

void TestDataModule::storedSchemaNeedsNoProgramFunctions()
{
    TestDatabase folder;
    {
        Tdm data;
    }
    const QStringList definitions = rawQuery(folder.path(), QStringLiteral("select sql from sqlite_master"));
    QVERIFY(!definitions.isEmpty());
    for (const QString& sql : definitions) {
        QVERIFY2(!sql.contains(QStringLiteral("pel_")), qPrintable(sql));
    }
    // Another tool writes and reads the file without any of the program's functions.
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("insert into Income (dt, leixing, jine) values (46367, '工资', "
                                                    "100000) returning oid")),
             QStringList{QStringLiteral("1")});
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("pragma integrity_check")), QStringList{QStringLiteral("ok")});
    Tdm again;
    Query query(again.ADOConnection1());
    query.setSql(QStringLiteral("select * from Income"));
    query.open();
    QCOMPARE(query.asText(QStringLiteral("jine")), QStringLiteral("10.00"));
    QCOMPARE(query.asText(QStringLiteral("dt")), QStringLiteral("2026-12-11"));
}

void TestDataModule::identityAndAdvertisementAddresses()
{
    TestDatabase folder;
    Tdm data;
    QCOMPARE(data.title, QStringLiteral("Pelorin"));
    QCOMPARE(data.version, QStringLiteral("1.1"));
    QVERIFY(data.serviceBase.endsWith(QLatin1Char('/')));
    QVERIFY(QUrl(data.serviceBase).isValid());
    const QString base = data.serviceBase + QStringLiteral("pel/ad/");
    QCOMPARE(data.adCommon, base + QStringLiteral("common/"));
    QCOMPARE(data.adBaobao, base + QStringLiteral("baobao/"));
    QCOMPARE(data.adDaikuan, base + QStringLiteral("daikuan/"));
    QCOMPARE(data.adJiankang, base + QStringLiteral("jiankang/"));
    QCOMPARE(data.adShouzhi, base + QStringLiteral("shouzhi/"));
    QCOMPARE(data.adAlert, base + QStringLiteral("alert/"));
}

void TestDataModule::loadParamsCachesValuesUnchanged()
{
    TestDatabase folder;
    Tdm data;
    data.ExecSql(QStringLiteral("update param set val = ' 工资  奖金 ' where param = 'LeixingShouru'"));
    data.ExecSql(QStringLiteral("delete from param where param = 'Ren'"));
    data.ExecSql(QStringLiteral("update param set val = 'D:\\pic\\' where param = 'jiepingpath'"));
    data.LoadParams();
    QCOMPARE(data.LeixingShouru, QStringLiteral(" 工资  奖金 "));
    QCOMPARE(data.Ren, QString());
    QCOMPARE(data.jiepingpath, QStringLiteral("D:\\pic\\"));
    QCOMPARE(data.ReadParam(QStringLiteral("nosuch")), QString());
}

void TestDataModule::captureFrequency_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("expected");
    QTest::newRow("digits") << "update param set val = '30' where param = 'jiepingpinlv'" << 30;
    QTest::newRow("letters") << "update param set val = 'abc' where param = 'jiepingpinlv'" << 0;
    QTest::newRow("empty") << "update param set val = '' where param = 'jiepingpinlv'" << 0;
    QTest::newRow("fraction") << "update param set val = '2.5' where param = 'jiepingpinlv'" << 0;
    QTest::newRow("negative") << "update param set val = '-5' where param = 'jiepingpinlv'" << -5;
    QTest::newRow("missing row") << "delete from param where param = 'jiepingpinlv'" << 0;
}

void TestDataModule::captureFrequency()
{
    QFETCH(QString, statement);
    QFETCH(int, expected);
    TestDatabase folder;
    Tdm data;
    data.ExecSql(statement);
    data.LoadParams();
    QCOMPARE(data.jiepingpinlv, expected);
}

void TestDataModule::unusualProgramFolder_data()
{
    QTest::addColumn<QString>("subFolder");
    QTest::newRow("spaces") << "Program Files/My Pelorin";
    QTest::newRow("chinese") << "我的 程序/家庭助手";
}

void TestDataModule::unusualProgramFolder()
{
    QFETCH(QString, subFolder);
    TestDatabase folder(subFolder);
    Tdm data;
    QCOMPARE(data.creationError(), QString());
    QCOMPARE(data.DaysShouru, QStringLiteral("180"));
    QVERIFY(QFile::exists(folder.folder() + QStringLiteral("/pel.dll")));
}

void TestDataModule::foreignFileIsLeftUntouched_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("text file") << "text";
    QTest::newRow("another program's database") << "other";
    QTest::newRow("newer Pelorin database") << "newer";
    QTest::newRow("empty file") << "empty";
}

void TestDataModule::foreignFileIsLeftUntouched()
{
    QFETCH(QString, kind);
    TestDatabase folder;
    if (kind == QLatin1String("text")) {
        QFile file(folder.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("MZ this is a library, not a database\n");
    } else if (kind == QLatin1String("empty")) {
        QFile file(folder.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (kind == QLatin1String("other")) {
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(folder.path()).constData(), &db);
        sqlite3_exec(db, "create table param (param text, val text); insert into param values ('Ren', 'x');", nullptr,
                     nullptr, nullptr);
        sqlite3_close(db);
    } else {
        {
            Tdm fresh;
        }
        rawQuery(folder.path(), QStringLiteral("pragma user_version = 99"));
    }
    const QByteArray before = fileHash(folder.path());
    const QStringList filesBefore = QDir(folder.folder()).entryList(QDir::Files);

    Tdm data;
    QVERIFY(!data.creationError().isEmpty());
    QVERIFY2(data.creationError().contains(QStringLiteral("pel.dll")), qPrintable(data.creationError()));
    QCOMPARE(data.title, QStringLiteral("Pelorin"));
    QCOMPARE(data.Ren, QString());
    QCOMPARE(data.jiepingpinlv, 0);
    QCOMPARE(data.adCommon, QString());
    // Every later statement fails the same way and still changes nothing.
    QVERIFY_THROWS_EXCEPTION(DbError, data.ExecSql(QStringLiteral("update sysParam set val = '1'")));

    QCOMPARE(fileHash(folder.path()), before);
    QCOMPARE(QDir(folder.folder()).entryList(QDir::Files), filesBefore);
}

void TestDataModule::upgradeRunsInOneTransaction()
{
    TestDatabase folder;
    {
        Tdm fresh;
    }
    std::vector<SchemaMigrator::Step> steps = Schema::upgrades();
    steps.push_back([](sqlite3* db) {
        SchemaMigrator::exec(db, QStringLiteral("alter table Dianhua add column weixin VARCHAR(255)"));
        SchemaMigrator::exec(db, QStringLiteral("update Dianhua set weixin = qq"));
    });
    SchemaMigrator toNext(steps);
    Tdm data(folder.path(), toNext);
    QCOMPARE(data.creationError(), QString());
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("pragma user_version")),
             QStringList{QString::number(SchemaMigrator().targetVersion() + 1)});
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("select count(*) from pragma_table_info('Dianhua') where "
                                                    "name = 'weixin'")),
             QStringList{QStringLiteral("1")});
}

void TestDataModule::failedUpgradeLeavesTheFileAsItWas()
{
    TestDatabase folder;
    {
        Tdm fresh;
        fresh.ExecSql(QStringLiteral("insert into Beiwang (title) values ('密码本')"));
    }
    std::vector<SchemaMigrator::Step> steps = Schema::upgrades();
    steps.push_back([](sqlite3* db) {
        SchemaMigrator::exec(db, QStringLiteral("alter table Beiwang add column extra TEXT"));
        SchemaMigrator::exec(db, QStringLiteral("delete from Beiwang"));
        throw DbError(QStringLiteral("升级失败"));
    });
    SchemaMigrator broken(steps);
    Tdm data(folder.path(), broken);
    QVERIFY(data.creationError().contains(QStringLiteral("升级失败")));
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("pragma user_version")),
             QStringList{QString::number(SchemaMigrator().targetVersion())});
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("select title from Beiwang")),
             QStringList{QStringLiteral("密码本")});
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("select count(*) from pragma_table_info('Beiwang') where "
                                                    "name = 'extra'")),
             QStringList{QStringLiteral("0")});
}

// A file of the first version, as earlier builds wrote it, opens with its
// alarms kept and the alarm list's index in place of the plain one on dt.
void TestDataModule::firstVersionGetsTheAlarmIndex()
{
    TestDatabase folder;
    {
        Tdm first(folder.path(), SchemaMigrator(std::vector<SchemaMigrator::Step>{}));
        first.ExecSql(QStringLiteral("insert into alert (dt, title, knd) values (#2026-12-11 08:00:00#, '吃药', 1)"));
    }
    const auto indexes = [&] {
        return rawQuery(folder.path(),
                        QStringLiteral("select name from sqlite_master where type = 'index' and tbl_name = 'alert' "
                                       "and name not like 'sqlite_%' order by name"));
    };
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("pragma user_version")), QStringList{QStringLiteral("1")});
    QCOMPARE(indexes(), QStringList{QStringLiteral("ix_alert_dt")});

    Tdm data;
    QCOMPARE(data.creationError(), QString());
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("pragma user_version")), QStringList{QStringLiteral("2")});
    QCOMPARE(indexes(), QStringList{QStringLiteral("ix_alert_due")});
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("select title, knd from alert")),
             QStringList{QStringLiteral("吃药|1")});
    // The list's statement, with the row key the query adds, is answered from the index alone.
    const QStringList plan = rawQuery(
        folder.path(), QStringLiteral("explain query plan select *, rowid from alert where 1=1 order by dt desc"));
    QVERIFY2(plan.join(QLatin1Char(' ')).contains(QLatin1String("COVERING INDEX ix_alert_due")),
             qPrintable(plan.join(QLatin1Char('\n'))));
}

void TestDataModule::firstStartMarker_data()
{
    QTest::addColumn<QString>("useflag");
    QTest::addColumn<bool>("first");
    QTest::addColumn<QString>("userno");
    QTest::newRow("new database") << "0" << true << "20261211100000123";
    QTest::newRow("started before") << "1" << false << "";
    QTest::newRow("empty marker") << "" << false << "";
    QTest::newRow("zero with a space") << "0 " << false << "";
}

void TestDataModule::firstStartMarker()
{
    QFETCH(QString, useflag);
    QFETCH(bool, first);
    QFETCH(QString, userno);
    TestDatabase folder;
    Tdm data;
    data.ExecSql(QStringLiteral("update sysParam set val = '") + useflag + QStringLiteral("' where param = 'useflag'"));
    QCOMPARE(FirstStart::mark(data), first);
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("select val from sysparam where param = 'userno'")),
             QStringList{userno});
    const QString flagAfter = first ? QStringLiteral("1") : useflag;
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("select val from sysparam where param = 'useflag'")),
             QStringList{flagAfter});
    // A second start changes nothing.
    Clock::setInstance(new MockClock(QDateTime(QDate(2027, 1, 1), QTime(8, 0))));
    QCOMPARE(FirstStart::mark(data), false);
    QCOMPARE(rawQuery(folder.path(), QStringLiteral("select val from sysparam where param = 'userno'")),
             QStringList{userno});
}

QTEST_GUILESS_MAIN(TestDataModule)

void TestDataModule::lookUpsBindTheirNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("stored");
    QTest::newRow("quote in the name") << "it's" << true;
    QTest::newRow("quotes and semicolon") << "a'; drop table param; --" << true;
    QTest::newRow("marker text") << ":name ? @x" << true;
    QTest::newRow("always true, not stored") << "x' or '1'='1" << false;
    QTest::newRow("any other row, not stored") << "' or param <> '" << false;
}

// Setting names are bound: a name with quotes finds its own row, and a name
// that would rewrite the condition finds nothing.
void TestDataModule::lookUpsBindTheirNames()
{
    QFETCH(QString, name);
    QFETCH(bool, stored);
    TestDatabase folder;
    Tdm data;
    const QString value = QStringLiteral("值 ") + name;
    if (stored) {
        data.ExecSql(QStringLiteral("insert into param (param, val) values (:name, :val)"),
                     {{QStringLiteral("name"), name}, {QStringLiteral("val"), value}});
    }
    QCOMPARE(data.ReadParam(name), stored ? value : QString());

    Query query(data.ADOConnection1());
    const QString switchesOn = QStringLiteral("select param from sysparam where val = 'Y' order by param");
    const QStringList before = rawQuery(folder.path(), switchesOn);
    QCOMPARE(SysParams::read(query, name), QString());
    SysParams::write(query, name, value);
    QCOMPARE(SysParams::read(query, name), value);
    SysParams::writeSwitch(query, name, true);
    QVERIFY(SysParams::isOn(query, name));
    // Only the row of that name was written.
    QStringList after = before;
    after << name;
    after.sort();
    QStringList now = rawQuery(folder.path(), switchesOn);
    now.sort();
    QCOMPARE(now, after);
}

#include "tst_datamodule.moc"
