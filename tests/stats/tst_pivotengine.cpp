// The pivot engine over a small book of entries: each layout's lines, cells,
// subtotals and grand totals, sorts, value filters and the area rules of the
// three windows.
#include "core/data/DayNumber.h"
#include "core/data/Money.h"
#include "core/data/SchemaMigrator.h"
#include "core/data/Statement.h"
#include "core/stats/PivotEngine.h"
#include "core/stats/StatDefinition.h"
#include "mock/TestDatabase.h"

#include <QTest>

Q_DECLARE_METATYPE(PivotEngine::Strategy)

namespace {
struct Entry {
    const char* table;
    QDate date;
    const char* type;
    const char* person;
    qint64 units;
};

const Entry kEntries[] = {
    // Before any start year the tests choose: never counted.
    {"Income", {2023, 12, 31}, "工资", "我", 1000000},
    {"Income", {2024, 1, 5}, "工资", "我", 10005000},
    {"Income", {2024, 1, 20}, "奖金", "爱人", 2002500},
    {"Income", {2024, 2, 3}, "工资", "我", 10005000},
    // The same entry twice: both count.
    {"Income", {2025, 1, 10}, "工资", "爱人", 3000000},
    {"Income", {2025, 1, 10}, "工资", "爱人", 3000000},
    {"Spend", {2024, 1, 7}, "交通", "我", 1000000},
    {"Spend", {2024, 2, 10}, "餐饮", "爱人", 501000},
    {"Spend", {2025, 1, 10}, "交通", "爱人", 200000},
};

// A line's caption as the grid shows it.
QString caption(const PivotResult::Line& line)
{
    switch (line.kind) {
    case PivotResult::Kind::Grand:
        return QStringLiteral("总计");
    case PivotResult::Kind::Subtotal:
        return line.texts.join(QLatin1Char('/')) + QStringLiteral(" 合计");
    case PivotResult::Kind::Value:
        break;
    }
    return line.texts.join(QLatin1Char('/')) + (line.collapsed ? QStringLiteral(" +") : QString());
}

// The whole pivot as text: the column captions, then one line per row.
QStringList render(const PivotResult& result)
{
    QStringList columns;
    for (const PivotResult::Line& column : result.columns()) {
        columns << caption(column);
    }
    QStringList lines{QStringLiteral("列: ") + columns.join(QStringLiteral(" | "))};
    for (int row = 0; row < int(result.rows().size()); ++row) {
        QStringList cells;
        for (int column = 0; column < int(result.columns().size()); ++column) {
            const std::optional<Money> sum = result.cell(row, column);
            cells << (sum ? sum->toFixed(2) : QStringLiteral("-"));
        }
        lines << caption(result.rows()[size_t(row)]) + QStringLiteral(": ") + cells.join(QStringLiteral(" | "));
    }
    return lines;
}

PivotField fieldNamed(const QString& name)
{
    for (PivotField field : PivotFields::all()) {
        if (PivotFields::columnName(field) == name) {
            return field;
        }
    }
    qFatal("no field %s", qPrintable(name));
}

// Every field but the amount to the filter area, then the named ones to the
// rows and columns in order; "standard" keeps the windows' first layout.
PivotLayout layoutOf(const QString& description)
{
    PivotLayout layout = PivotLayout::standard();
    if (description == QLatin1String("standard")) {
        return layout;
    }
    for (PivotField field : PivotFields::all()) {
        if (field != PivotField::Jine) {
            layout.move(field, PivotArea::Filter, 99);
        }
    }
    const QStringList parts = description.split(QLatin1Char(';'));
    const auto place = [&layout](const QString& names, PivotArea area) {
        for (const QString& name : names.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            layout.move(fieldNamed(name), area, 99);
        }
    };
    place(parts.value(0), PivotArea::Row);
    place(parts.value(1), PivotArea::Column);
    return layout;
}

StatDefinition definitionNamed(const QString& name)
{
    if (name == QLatin1String("income")) {
        return StatDefinition::income();
    }
    if (name == QLatin1String("spend")) {
        return StatDefinition::spend();
    }
    return StatDefinition::balance();
}
} // namespace

class TestPivotEngine : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> m_db;
    bool m_changed = false;

    PivotSource load(const QString& window, int year)
    {
        PivotSource source;
        source.load(m_db->connection(), definitionNamed(window).statement(year));
        return source;
    }

    // A book of its own for the tests that add entries.
    void useFreshBook(bool withEntries)
    {
        m_db = std::make_unique<TestDatabase>();
        if (!withEntries) {
            return;
        }
        sqlite3* db = m_db->connection().handle();
        for (const Entry& entry : kEntries) {
            Statement insert(db, QStringLiteral("INSERT INTO %1 (dt, leixing, ren, jine) VALUES (?, ?, ?, ?)")
                                     .arg(QLatin1String(entry.table)));
            insert.bind(1, DayNumber::fromDate(entry.date));
            insert.bind(2, QString::fromUtf8(entry.type));
            insert.bind(3, QString::fromUtf8(entry.person));
            insert.bind(4, entry.units);
            insert.step();
        }
    }

private Q_SLOTS:

    // The shared book is filled once; a test that changes it marks it for refilling.
    void init()
    {
        if (!m_db || m_changed) {
            useFreshBook(true);
            m_changed = false;
        }
    }

    void cleanupTestCase() { m_db.reset(); }

    void layouts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<PivotEngine::Strategy>("strategy");
        QTest::addColumn<QStringList>("expected");

        const QStringList incomeStandard = {
            QStringLiteral("列: 奖金 | 工资 | 总计"),           QStringLiteral("2024/1: 200.25 | 1000.50 | 1200.75"),
            QStringLiteral("2024/2: - | 1000.50 | 1000.50"),    QStringLiteral("2024 合计: 200.25 | 2001.00 | 2201.25"),
            QStringLiteral("2025/1: - | 600.00 | 600.00"),      QStringLiteral("2025 合计: - | 600.00 | 600.00"),
            QStringLiteral("总计: 200.25 | 2601.00 | 2801.25"),
        };
        // Spending negated and typed 支出 whatever its own type.
        const QStringList balanceStandard = {
            QStringLiteral("列: 支出 | 收入 | 总计"),
            QStringLiteral("2024/1: -100.00 | 1200.75 | 1100.75"),
            QStringLiteral("2024/2: -50.10 | 1000.50 | 950.40"),
            QStringLiteral("2024 合计: -150.10 | 2201.25 | 2051.15"),
            QStringLiteral("2025/1: -20.00 | 600.00 | 580.00"),
            QStringLiteral("2025 合计: -20.00 | 600.00 | 580.00"),
            QStringLiteral("总计: -170.10 | 2801.25 | 2631.15"),
        };
        const QStringList incomeByPersonAndYear = {
            QStringLiteral("列: 2024 | 2025 | 总计"),
            QStringLiteral("我: 2001.00 | - | 2001.00"),
            QStringLiteral("爱人: 200.25 | 600.00 | 800.25"),
            QStringLiteral("总计: 2201.25 | 600.00 | 2801.25"),
        };
        const QStringList spendByTypeAndPerson = {
            QStringLiteral("列: 总计"),          QStringLiteral("交通/我: 100.00"),  QStringLiteral("交通/爱人: 20.00"),
            QStringLiteral("交通 合计: 120.00"), QStringLiteral("餐饮/爱人: 50.10"), QStringLiteral("餐饮 合计: 50.10"),
            QStringLiteral("总计: 170.10"),
        };
        // Two outer fields across: a subtotal column after each year's months.
        const QStringList spendYearsAndMonthsAcross = {
            QStringLiteral("列: 2024/1 | 2024/2 | 2024 合计 | 2025/1 | 2025 合计 | 总计"),
            QStringLiteral("交通: 100.00 | - | 100.00 | 20.00 | 20.00 | 120.00"),
            QStringLiteral("餐饮: - | 50.10 | 50.10 | - | - | 50.10"),
            QStringLiteral("总计: 100.00 | 50.10 | 150.10 | 20.00 | 20.00 | 170.10"),
        };

        const struct {
            const char* name;
            const char* window;
            int year;
            const char* layout;
            QStringList expected;
        } cases[] = {
            {"income, first layout", "income", 2024, "standard", incomeStandard},
            {"income from 2025 only",
             "income",
             2025,
             "standard",
             {QStringLiteral("列: 工资 | 总计"), QStringLiteral("2025/1: 600.00 | 600.00"),
              QStringLiteral("2025 合计: 600.00 | 600.00"), QStringLiteral("总计: 600.00 | 600.00")}},
            {"balance, first layout", "balance", 2024, "standard", balanceStandard},
            {"income by person and year", "income", 2024, "ren;y", incomeByPersonAndYear},
            {"nothing in rows or columns",
             "income",
             2024,
             ";",
             {QStringLiteral("列: 总计"), QStringLiteral("总计: 2801.25")}},
            {"spending by type and person", "spend", 2024, "leixing,ren;", spendByTypeAndPerson},
            {"spending, years and months across", "spend", 2024, "leixing;y,m", spendYearsAndMonthsAcross},
            {"spending grouped by amount, nothing summed",
             "spend",
             2024,
             "jine;",
             {QStringLiteral("列: 总计"), QStringLiteral("20.00: -"), QStringLiteral("50.10: -"),
              QStringLiteral("100.00: -"), QStringLiteral("总计: -")}},
            {"selecting 2008 counts the entry of 2023",
             "income",
             2008,
             ";",
             {QStringLiteral("列: 总计"), QStringLiteral("总计: 2901.25")}},
        };

        for (const auto& c : cases) {
            for (const auto& [strategy, label] :
                 {std::pair{PivotEngine::Strategy::Dense, "dense"}, std::pair{PivotEngine::Strategy::Hashed, "hashed"},
                  std::pair{PivotEngine::Strategy::Combined, "combined"}}) {
                QTest::addRow("%s (%s)", c.name, label)
                    << QString::fromUtf8(c.window) << c.year << QString::fromUtf8(c.layout) << strategy << c.expected;
            }
        }
    }

    void layouts()
    {
        QFETCH(QString, window);
        QFETCH(int, year);
        QFETCH(QString, layout);
        QFETCH(PivotEngine::Strategy, strategy);
        QFETCH(QStringList, expected);
        QCOMPARE(render(PivotEngine::compute(load(window, year), layoutOf(layout), strategy)), expected);
    }

    void sortsDescendingPerField()
    {
        PivotLayout layout = PivotLayout::standard();
        layout.toggleSort(PivotField::Y);
        layout.toggleSort(PivotField::Leixing);
        QCOMPARE(render(PivotEngine::compute(load(QStringLiteral("income"), 2024), layout)),
                 (QStringList{
                     QStringLiteral("列: 工资 | 奖金 | 总计"),
                     QStringLiteral("2025/1: 600.00 | - | 600.00"),
                     QStringLiteral("2025 合计: 600.00 | - | 600.00"),
                     QStringLiteral("2024/1: 1000.50 | 200.25 | 1200.75"),
                     QStringLiteral("2024/2: 1000.50 | - | 1000.50"),
                     QStringLiteral("2024 合计: 2001.00 | 200.25 | 2201.25"),
                     QStringLiteral("总计: 2601.00 | 200.25 | 2801.25"),
                 }));
        layout.toggleSort(PivotField::Y);
        QCOMPARE(PivotEngine::compute(load(QStringLiteral("income"), 2024), layout).rows().front().texts,
                 (QStringList{QStringLiteral("2024"), QStringLiteral("1")}));
    }

    // Numbers sort as numbers, not as text: month 10 after month 9.
    void monthsSortAsNumbers()
    {
        m_changed = true;
        sqlite3* db = m_db->connection().handle();
        for (int month : {10, 9}) {
            Statement insert(db,
                             QStringLiteral("INSERT INTO Income (dt, leixing, ren, jine) VALUES (?, '工资', '我', 1)"));
            insert.bind(1, DayNumber::fromDate(QDate(2024, month, 1)));
            insert.step();
        }
        const PivotResult result = PivotEngine::compute(load(QStringLiteral("income"), 2024), PivotLayout::standard());
        QStringList months;
        for (const PivotResult::Line& line : result.rows()) {
            if (line.kind == PivotResult::Kind::Value && line.keys.value(0) == QLatin1String("2024")) {
                months << line.texts.last();
            }
        }
        QCOMPARE(months,
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("9"), QStringLiteral("10")}));
    }

    void valueFiltersHideRowsEverywhere()
    {
        PivotLayout layout = PivotLayout::standard();
        layout.setHiddenValues(PivotField::Leixing, {QStringLiteral("工资")});
        QCOMPARE(render(PivotEngine::compute(load(QStringLiteral("income"), 2024), layout)),
                 (QStringList{QStringLiteral("列: 奖金 | 总计"), QStringLiteral("2024/1: 200.25 | 200.25"),
                              QStringLiteral("2024 合计: 200.25 | 200.25"), QStringLiteral("总计: 200.25 | 200.25")}));

        // A field in the filter area filters too.
        layout = PivotLayout::standard();
        layout.setHiddenValues(PivotField::Ren, {QStringLiteral("爱人")});
        QCOMPARE(render(PivotEngine::compute(load(QStringLiteral("income"), 2024), layout)).last(),
                 QStringLiteral("总计: 2001.00 | 2001.00"));

        // A hidden value that the rows no longer hold changes nothing.
        layout = PivotLayout::standard();
        layout.setHiddenValues(PivotField::Ren, {QStringLiteral("不存在的人")});
        QCOMPARE(render(PivotEngine::compute(load(QStringLiteral("income"), 2024), layout)).last(),
                 QStringLiteral("总计: 200.25 | 2601.00 | 2801.25"));
    }

    void collapsedValueKeepsItsSubtotal()
    {
        PivotLayout layout = PivotLayout::standard();
        layout.setCollapsed(PivotArea::Row, {QStringLiteral("2024")}, true);
        const PivotResult result = PivotEngine::compute(load(QStringLiteral("income"), 2024), layout);
        QCOMPARE(render(result), (QStringList{
                                     QStringLiteral("列: 奖金 | 工资 | 总计"),
                                     QStringLiteral("2024 +: 200.25 | 2001.00 | 2201.25"),
                                     QStringLiteral("2025/1: - | 600.00 | 600.00"),
                                     QStringLiteral("2025 合计: - | 600.00 | 600.00"),
                                     QStringLiteral("总计: 200.25 | 2601.00 | 2801.25"),
                                 }));
        // The outer value shows once per group; the inner value on every line.
        QCOMPARE(result.rows()[1].firstLevel, 0);
        QVERIFY(result.canToggle(result.rows()[0], 0, 2));
        QVERIFY(result.canToggle(result.rows()[1], 0, 2));
        QVERIFY(!result.canToggle(result.rows()[1], 1, 2));

        layout.setCollapsed(PivotArea::Row, {QStringLiteral("2024")}, false);
        const PivotResult expanded = PivotEngine::compute(load(QStringLiteral("income"), 2024), layout);
        QCOMPARE(expanded.rows()[1].firstLevel, 1);
        QVERIFY(!expanded.canToggle(expanded.rows()[1], 0, 2));
    }

    void emptyTableGivesEmptyPivot()
    {
        m_changed = true;
        useFreshBook(false);
        const PivotSource source = load(QStringLiteral("spend"), 2024);
        QCOMPARE(source.rowCount(), 0);
        QCOMPARE(render(PivotEngine::compute(source, PivotLayout::standard())),
                 (QStringList{QStringLiteral("列: 总计"), QStringLiteral("总计: -")}));
    }

    void moveKeepsOrderWithinAreas()
    {
        PivotLayout layout = PivotLayout::standard();
        layout.move(PivotField::Ren, PivotArea::Row, 1);
        QCOMPARE(layout.fields(PivotArea::Row), (QList<PivotField>{PivotField::Y, PivotField::Ren, PivotField::M}));
        QCOMPARE(layout.fields(PivotArea::Filter), (QList<PivotField>{PivotField::Dt, PivotField::D}));
        // Within one area the marker's place counts the field itself.
        layout.move(PivotField::Y, PivotArea::Row, 3);
        QCOMPARE(layout.fields(PivotArea::Row), (QList<PivotField>{PivotField::Ren, PivotField::M, PivotField::Y}));
        layout.move(PivotField::Y, PivotArea::Row, 0);
        QCOMPARE(layout.fields(PivotArea::Row), (QList<PivotField>{PivotField::Y, PivotField::Ren, PivotField::M}));
        QCOMPARE(layout.area(PivotField::Ren), PivotArea::Row);
        QCOMPARE(layout.position(PivotField::Ren), 1);
    }

    void areaRules_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("area");
        QTest::addColumn<bool>("allowed");
        for (const char* window : {"income", "balance"}) {
            for (PivotArea area : {PivotArea::Filter, PivotArea::Row, PivotArea::Column}) {
                QTest::addRow("%s: amount to area %d refused", window, int(area))
                    << QString::fromUtf8(window) << int(PivotField::Jine) << int(area) << false;
            }
            QTest::addRow("%s: amount to data", window)
                << QString::fromUtf8(window) << int(PivotField::Jine) << int(PivotArea::Data) << true;
        }
        for (PivotArea area : {PivotArea::Filter, PivotArea::Row, PivotArea::Column, PivotArea::Data}) {
            QTest::addRow("spend: amount to area %d", int(area))
                << QStringLiteral("spend") << int(PivotField::Jine) << int(area) << true;
        }
        QTest::newRow("person to rows") << QStringLiteral("income") << int(PivotField::Ren) << int(PivotArea::Row)
                                        << true;
        QTest::newRow("date to columns") << QStringLiteral("balance") << int(PivotField::Dt) << int(PivotArea::Column)
                                         << true;
        QTest::newRow("year to filter") << QStringLiteral("spend") << int(PivotField::Y) << int(PivotArea::Filter)
                                        << true;
        // Only the amount can be summed.
        QTest::newRow("type to data") << QStringLiteral("spend") << int(PivotField::Leixing) << int(PivotArea::Data)
                                      << false;
    }

    void areaRules()
    {
        QFETCH(QString, window);
        QFETCH(int, field);
        QFETCH(int, area);
        QFETCH(bool, allowed);
        QCOMPARE(definitionNamed(window).allows(PivotField(field), PivotArea(area)), allowed);
    }

    // The statements' year(), month() and day() agree with the calendar,
    // leap days and centuries included, and a time just before midnight
    // counts as the next day as everywhere else.
    void datePartsFollowTheCalendar()
    {
        sqlite3* db = m_db->connection().handle();
        Statement parts(db, QStringLiteral("SELECT pel_year(?1), pel_month(?1), pel_day(?1)"));
        for (QDate date(1600, 1, 1); date < QDate(2401, 1, 1); date = date.addDays(13)) {
            for (double fraction : {0.0, 0.75}) {
                parts.bind(1, DayNumber::fromDate(date) + fraction);
                QVERIFY(parts.step());
                QCOMPARE(QDate(parts.value(0).toInt(), parts.value(1).toInt(), parts.value(2).toInt()), date);
                parts.reset();
            }
        }
        parts.bind(1, DayNumber::fromDate(QDate(2024, 2, 28)) + 0.9999999999);
        QVERIFY(parts.step());
        QCOMPARE(QDate(parts.value(0).toInt(), parts.value(1).toInt(), parts.value(2).toInt()), QDate(2024, 2, 29));
    }

    void statementsTakeTheYearEverywhere()
    {
        QCOMPARE(StatDefinition::income().statement(2024),
                 QStringLiteral("select year(dt) as y, month(dt) as m, day(dt) as d, dt,leixing,ren,jine from income "
                                "where year(dt) >= 2024"));
        const QString balance = StatDefinition::balance().statement(2019);
        QCOMPARE(balance.count(QStringLiteral(">= 2019")), 2);
        QVERIFY(balance.contains(QStringLiteral("'支出' as leixing,ren,0-jine from spend")));
    }

    // Amounts stored as text or as a binary fraction still sum exactly.
    void amountsOfEveryStorageSumExactly()
    {
        m_changed = true;
        useFreshBook(false);
        sqlite3* db = m_db->connection().handle();
        SchemaMigrator::exec(db, QStringLiteral("INSERT INTO Spend (dt, leixing, jine) VALUES (45300, 'a', '0.1')"));
        SchemaMigrator::exec(db, QStringLiteral("INSERT INTO Spend (dt, leixing, jine) VALUES (45300, 'a', 2000)"));
        SchemaMigrator::exec(db, QStringLiteral("INSERT INTO Spend (dt, leixing, jine) VALUES (45300, NULL, NULL)"));
        const PivotSource source = load(QStringLiteral("spend"), 2008);
        QCOMPARE(source.rowCount(), 3);
        const PivotResult result = PivotEngine::compute(source, layoutOf(QStringLiteral(";leixing")));
        QCOMPARE(render(result),
                 (QStringList{QStringLiteral("列:  | a | 总计"), QStringLiteral("总计: 0.00 | 0.30 | 0.30")}));
    }
};

QTEST_GUILESS_MAIN(TestPivotEngine)
#include "tst_pivotengine.moc"
