#include "core/data/Query.h"
#include "core/data/SchemaMigrator.h"
#include "core/data/Statement.h"
#include "forms/DataGrid.h"
#include "forms/GroupByBox.h"
#include "forms/QueryGridModel.h"
#include "mock/InsertRow.h"
#include "mock/TestDatabase.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <memory>
#include <sqlite3.h>

namespace {
struct Contact {
    const char* name;
    const char* kind;
    const char* sex;
    const char* mobile;
};

// In the query's order (by ord). The empty type is a group of its own.
const Contact kContacts[] = {
    {"张三", "家人", "男", "13800000001"}, {"李四", "朋友", "男", "13800000002"}, {"王五", "家人", "男", ""},
    {"赵六", "同事", "女", "13800000004"}, {"钱七", "朋友", "女", "13800000005"}, {"孙八", "家人", "女", ""},
    {"周九", "", "男", "13800000007"},
};

enum Column { Name, Kind, Sex, Mobile, Ord };

QList<GridColumn> contactColumns()
{
    return {{QStringLiteral("姓名"), QStringLiteral("xingming"), 80},
            {QStringLiteral("类型"), QStringLiteral("leixing"), 60},
            {QStringLiteral("性别"), QStringLiteral("XINGBIE"), 40},
            {QStringLiteral("手机"), QStringLiteral("shouji"), 120},
            {QStringLiteral("编号"), QStringLiteral("ord"), 50}};
}

const QString kContactSql = QStringLiteral("select * from Dianhua where 1=1 order by ord");

void addContact(Connection& connection, const QString& name, const QString& kind, const QString& sex, int ord,
                const QString& mobile = {})
{
    insertRow(
        connection, QStringLiteral("Dianhua"),
        {{"xingming", name}, {"leixing", kind}, {"xingbie", sex}, {"shouji", mobile}, {"ord", QString::number(ord)}});
}

// The contacts above, opened in a query.
struct Contacts {
    TestDatabase db;
    Query query{db.connection()};

    Contacts()
    {
        int ord = 1;
        for (const Contact& contact : kContacts) {
            addContact(db.connection(), QString::fromUtf8(contact.name), QString::fromUtf8(contact.kind),
                       QString::fromUtf8(contact.sex), ord++, QString::fromUtf8(contact.mobile));
        }
        query.setSql(kContactSql);
        query.open();
    }
};

// The grid over the contacts, as a list window sets it up.
void bindContacts(DataGrid& grid, Contacts& contacts)
{
    grid.setColumns(contactColumns());
    grid.setQuery(&contacts.query);
}

// The same, shown on screen, for the tests that drag and click.
[[nodiscard]] bool showContacts(DataGrid& grid, Contacts& contacts)
{
    bindContacts(grid, contacts);
    grid.resize(600, 300);
    grid.show();
    return QTest::qWaitForWindowExposed(&grid);
}

// The tree as shown with every group expanded: column 0, two spaces a level.
QStringList outline(const QAbstractItemModel* model, const QModelIndex& parent = {}, int depth = 0)
{
    QStringList lines;
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        lines << QString(depth * 2, QLatin1Char(' ')) + index.data().toString();
        lines += outline(model, index, depth + 1);
    }
    return lines;
}

QModelIndexList groupRows(const QueryGridModel* model, const QModelIndex& parent = {})
{
    QModelIndexList groups;
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (model->isGroupRow(index)) {
            groups << index;
            groups += groupRows(model, index);
        }
    }
    return groups;
}

void dragOnto(QWidget* target, QMimeData* data, const QPoint& pos, bool* entered = nullptr)
{
    QDragEnterEvent enter(pos, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (entered) {
        *entered = enter.isAccepted();
    }
    if (!enter.isAccepted()) {
        return;
    }
    QDragMoveEvent move(pos, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(pos), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

// Presses at `from` on `source` and moves past the drag distance. A drag on
// this test platform ends at once, dropped on nothing; the release the mouse
// makes afterwards still arrives, where the gesture ended.
void dragWithMouse(QWidget* source, const QPoint& from)
{
    const QPoint to = from + QPoint(QApplication::startDragDistance() + 4, 0);
    QTest::mousePress(source, Qt::LeftButton, {}, from);
    QTest::mouseMove(source, to);
    QTest::mouseRelease(source, Qt::LeftButton, {}, to);
}

QStringList chipTexts(const GroupByBox* box)
{
    QStringList texts;
    for (const QLabel* chip : box->chips()) {
        texts << chip->text();
    }
    return texts;
}
} // namespace

// The record lists' grid: the lazy model over a query, grouping by columns
// dragged onto the strip above the headers, and the current row kept in step
// with the query.
class TestDataGrid : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void modelPassesTheModelTester_data();
    void modelPassesTheModelTester();
    void headersShowCaptionsCentred();
    void cellsShowTheQueryText_data();
    void cellsShowTheQueryText();
    void groupsRows_data();
    void groupsRows();
    void ungroupingRestoresTheRows();
    void headerDroppedOnTheBoxGroups();
    void boxRefusesForeignDrops_data();
    void boxRefusesForeignDrops();
    void chipDroppedOutsideUngroups();
    void chipDroppedInsideReorders();
    void headerClicksStillWork();
    void headerDragIsNoClick();
    void chipDraggedAwayUngroups();
    void selectionMovesTheQuery_data();
    void selectionMovesTheQuery();
    void groupRowLeavesTheQueryWhereItWas();
    void regroupingKeepsTheCurrentRow();
    void doubleClickOpensDataRowsOnly_data();
    void doubleClickOpensDataRowsOnly();
    void reloadKeepsGroupingAndSelectsTheFirstRow_data();
    void reloadKeepsGroupingAndSelectsTheFirstRow();
    void emptyQuery_data();
    void emptyQuery();
    void largeResultSetupTime();
};

void TestDataGrid::modelPassesTheModelTester_data()
{
    QTest::addColumn<QList<int>>("groups");
    QTest::addColumn<bool>("empty");

    QTest::newRow("flat") << QList<int>{} << false;
    QTest::newRow("one level") << QList<int>{Kind} << false;
    QTest::newRow("two levels") << QList<int>{Sex, Kind} << false;
    QTest::newRow("empty flat") << QList<int>{} << true;
    QTest::newRow("empty grouped") << QList<int>{Kind} << true;
}

void TestDataGrid::modelPassesTheModelTester()
{
    QFETCH(QList<int>, groups);
    QFETCH(bool, empty);

    Contacts contacts;
    if (empty) {
        contacts.query.setSql(QStringLiteral("select * from Dianhua where 1=0"));
        contacts.query.open();
    }
    QueryGridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setColumns(contactColumns());
    model.setQuery(&contacts.query);
    model.setGroupColumns(groups);
    model.reload();
    // Regrouping under the tester's eyes, then back.
    model.setGroupColumns({Mobile});
    model.setGroupColumns(groups);
    QCOMPARE(model.groupColumns(), groups);
}

void TestDataGrid::headersShowCaptionsCentred()
{
    Contacts contacts;
    DataGrid grid;
    bindContacts(grid, contacts);
    const QueryGridModel* model = grid.model();
    const QList<GridColumn> columns = contactColumns();
    QCOMPARE(model->columnCount(), columns.size());
    for (int i = 0; i < columns.size(); ++i) {
        QCOMPARE(model->headerData(i, Qt::Horizontal).toString(), columns[i].caption);
        QCOMPARE(Qt::Alignment(model->headerData(i, Qt::Horizontal, Qt::TextAlignmentRole).toInt()),
                 Qt::Alignment(Qt::AlignCenter));
        QCOMPARE(grid.view()->header()->sectionSize(i), columns[i].width);
    }
    QVERIFY(!model->headerData(0, Qt::Vertical).isValid());
    QVERIFY(!model->headerData(columns.size(), Qt::Horizontal).isValid());
}

void TestDataGrid::cellsShowTheQueryText_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QList<QStringList>>("rows");

    QTest::newRow("text and numbers") << "Dianhua" << QStringList{"xingming", "ord", "remark"}
                                      << QList<QStringList>{{"张三", "3", "老同学"}, {"李四", "2.5", ""}};
    QTest::newRow("dates and money") << "Income" << QStringList{"dt", "jine", "miaoshu"}
                                     << QList<QStringList>{{"2026-02-28", "1234.5", "工资"},
                                                           {"2024-02-29", "-0.0001", "退款"}};
    QTest::newRow("date-time and integer")
        << "alert" << QStringList{"dt", "knd", "title"}
        << QList<QStringList>{{"2026-12-24 20:30", "6", "圣诞"}, {"2026-12-25", "", "零点"}};
}

void TestDataGrid::cellsShowTheQueryText()
{
    QFETCH(QString, table);
    QFETCH(QStringList, fields);
    QFETCH(QList<QStringList>, rows);

    TestDatabase db;
    for (const QStringList& values : rows) {
        QVariantMap row;
        for (int i = 0; i < fields.size(); ++i) {
            row.insert(fields[i], values[i]);
        }
        insertRow(db.connection(), table, row);
    }
    Query query(db.connection());
    query.setSql(QStringLiteral("select * from ") + table);
    query.open();

    QList<GridColumn> columns;
    for (const QString& field : fields) {
        columns << GridColumn{field.toUpper(), field, 100};
    }
    columns << GridColumn{QStringLiteral("没有"), QStringLiteral("nosuchfield"), 100};
    QueryGridModel model;
    model.setColumns(columns);
    model.setQuery(&query);
    QCOMPARE(model.rowCount(), int(rows.size()));
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int i = 0; i < fields.size(); ++i) {
            const QString shown = model.index(row, i).data().toString();
            QCOMPARE(shown, query.textAt(row, query.columnIndex(fields[i])));
        }
        QCOMPARE(model.index(row, int(fields.size())).data().toString(), QString());
        QCOMPARE(model.queryRow(model.index(row, 1)), row);
    }
}

void TestDataGrid::groupsRows_data()
{
    QTest::addColumn<QList<int>>("groups");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QList<int>>("order");

    QTest::newRow("none") << QList<int>{} << QStringList{"张三", "李四", "王五", "赵六", "钱七", "孙八", "周九"}
                          << QList<int>{0, 1, 2, 3, 4, 5, 6};
    QTest::newRow("type") << QList<int>{Kind}
                          << QStringList{"类型: 家人 (3)", "  张三",         "  王五", "  孙八",
                                         "类型: 朋友 (2)", "  李四",         "  钱七", "类型: 同事 (1)",
                                         "  赵六",         "类型: (空) (1)", "  周九"}
                          << QList<int>{0, 2, 5, 1, 4, 3, 6};
    QTest::newRow("sex, then type") << QList<int>{Sex, Kind}
                                    << QStringList{"性别: 男 (4)",     "  类型: 家人 (2)", "    张三",
                                                   "    王五",         "  类型: 朋友 (1)", "    李四",
                                                   "  类型: (空) (1)", "    周九",         "性别: 女 (3)",
                                                   "  类型: 同事 (1)", "    赵六",         "  类型: 朋友 (1)",
                                                   "    钱七",         "  类型: 家人 (1)", "    孙八"}
                                    << QList<int>{0, 2, 1, 6, 3, 4, 5};
    QTest::newRow("type, then sex") << QList<int>{Kind, Sex}
                                    << QStringList{"类型: 家人 (3)", "  性别: 男 (2)", "    张三",
                                                   "    王五",       "  性别: 女 (1)", "    孙八",
                                                   "类型: 朋友 (2)", "  性别: 男 (1)", "    李四",
                                                   "  性别: 女 (1)", "    钱七",       "类型: 同事 (1)",
                                                   "  性别: 女 (1)", "    赵六",       "类型: (空) (1)",
                                                   "  性别: 男 (1)", "    周九"}
                                    << QList<int>{0, 2, 5, 1, 4, 3, 6};
    const QStringList byMobile = {
        "手机: 13800000001 (1)",
        "  张三",
        "手机: 13800000002 (1)",
        "  李四",
        "手机: (空) (2)",
        "  王五",
        "  孙八",
        "手机: 13800000004 (1)",
        "  赵六",
        "手机: 13800000005 (1)",
        "  钱七",
        "手机: 13800000007 (1)",
        "  周九",
    };
    QTest::newRow("empty mobile numbers group together")
        << QList<int>{Mobile} << byMobile << QList<int>{0, 1, 2, 5, 3, 4, 6};
}

void TestDataGrid::groupsRows()
{
    QFETCH(QList<int>, groups);
    QFETCH(QStringList, shown);
    QFETCH(QList<int>, order);

    Contacts contacts;
    DataGrid grid;
    bindContacts(grid, contacts);
    for (int column : groups) {
        grid.groupBy(column);
    }
    QCOMPARE(grid.groupedColumns(), groups);
    QCOMPARE(outline(grid.model()), shown);
    QCOMPARE(grid.displayOrder(), order);
    QCOMPARE(grid.view()->rootIsDecorated(), !groups.isEmpty());

    // Every data row maps back to its query row and shows that row's text.
    const QueryGridModel* model = grid.model();
    for (int row = 0; row < contacts.query.rowCount(); ++row) {
        const QModelIndex index = model->indexForQueryRow(row);
        QVERIFY(index.isValid());
        QCOMPARE(model->queryRow(index), row);
        QCOMPARE(model->queryRow(index.siblingAtColumn(Ord)), row);
        QCOMPARE(index.siblingAtColumn(Sex).data().toString(), QString::fromUtf8(kContacts[row].sex));
    }
    for (const QModelIndex& group : groupRows(model)) {
        QCOMPARE(model->queryRow(group), -1);
        QVERIFY(grid.view()->isExpanded(group));
        QVERIFY(grid.view()->isFirstColumnSpanned(group.row(), group.parent()));
        QVERIFY(!group.siblingAtColumn(Kind).data().isValid());
    }
}

void TestDataGrid::ungroupingRestoresTheRows()
{
    Contacts contacts;
    DataGrid grid;
    bindContacts(grid, contacts);
    grid.groupBy(Sex);
    grid.groupBy(Kind);
    grid.groupBy(Kind); // already a level
    grid.groupBy(99);   // no such column
    QCOMPARE(grid.groupedColumns(), (QList<int>{Sex, Kind}));

    grid.ungroup(Sex);
    QCOMPARE(grid.groupedColumns(), QList<int>{Kind});
    QCOMPARE(chipTexts(grid.groupByBox()), QStringList{"类型"});
    QCOMPARE(outline(grid.model()).first(), QStringLiteral("类型: 家人 (3)"));
    QCOMPARE(grid.displayOrder(), (QList<int>{0, 2, 5, 1, 4, 3, 6}));

    grid.ungroup(Kind);
    QVERIFY(grid.groupedColumns().isEmpty());
    QVERIFY(chipTexts(grid.groupByBox()).isEmpty());
    QCOMPARE(grid.model()->rowCount(), 7);
    QCOMPARE(grid.displayOrder(), (QList<int>{0, 1, 2, 3, 4, 5, 6}));
    QVERIFY(!grid.view()->rootIsDecorated());

    // New columns make the old levels meaningless.
    grid.groupBy(Mobile);
    grid.setColumns(contactColumns().mid(0, 2));
    QVERIFY(grid.groupedColumns().isEmpty());
    QVERIFY(chipTexts(grid.groupByBox()).isEmpty());
    QCOMPARE(grid.model()->rowCount(), 7);
    QCOMPARE(grid.model()->columnCount(), 2);
}

void TestDataGrid::headerDroppedOnTheBoxGroups()
{
    Contacts contacts;
    DataGrid grid;
    bindContacts(grid, contacts);
    GroupByBox* box = grid.groupByBox();
    const QLabel* hint = box->findChild<QLabel*>(QStringLiteral("groupHint"));
    QVERIFY(hint);
    QCOMPARE(hint->text(), GroupByBox::hintText());
    QVERIFY(!hint->isHidden());

    bool entered = false;
    std::unique_ptr<QMimeData> kind(box->headerMimeData(Kind));
    dragOnto(box, kind.get(), QPoint(5, 5), &entered);
    QVERIFY(entered);
    QCOMPARE(grid.groupedColumns(), QList<int>{Kind});
    QCOMPARE(outline(grid.model()).first(), QStringLiteral("类型: 家人 (3)"));
    QVERIFY(hint->isHidden());

    // The next header becomes the next level, wherever it lands in the strip.
    std::unique_ptr<QMimeData> sex(box->headerMimeData(Sex));
    dragOnto(box, sex.get(), QPoint(1, 1));
    QCOMPARE(grid.groupedColumns(), (QList<int>{Kind, Sex}));
    QCOMPARE(chipTexts(box), (QStringList{"类型", "性别"}));
    QCOMPARE(outline(grid.model()).at(1), QStringLiteral("  性别: 男 (2)"));
    for (const QModelIndex& group : groupRows(grid.model())) {
        QVERIFY(grid.view()->isExpanded(group));
    }
}

void TestDataGrid::boxRefusesForeignDrops_data()
{
    QTest::addColumn<bool>("fromOtherGrid");
    QTest::addColumn<QString>("kind"); // header, chip or text
    QTest::addColumn<int>("column");

    QTest::newRow("header already grouped") << false << "header" << int(Kind);
    QTest::newRow("header of another grid") << true << "header" << int(Sex);
    QTest::newRow("chip of another grid") << true << "chip" << int(Kind);
    QTest::newRow("chip of a column not grouped") << false << "chip" << int(Sex);
    QTest::newRow("header out of range") << false << "header" << 99;
    QTest::newRow("plain text") << false << "text" << int(Sex);
}

void TestDataGrid::boxRefusesForeignDrops()
{
    QFETCH(bool, fromOtherGrid);
    QFETCH(QString, kind);
    QFETCH(int, column);

    Contacts contacts;
    DataGrid grid;
    DataGrid other;
    for (DataGrid* each : {&grid, &other}) {
        each->setColumns(contactColumns());
        each->setQuery(&contacts.query);
        each->groupBy(Kind);
    }
    GroupByBox* box = grid.groupByBox();
    const GroupByBox* source = fromOtherGrid ? other.groupByBox() : box;
    std::unique_ptr<QMimeData> data;
    if (kind == QLatin1String("header")) {
        data.reset(source->headerMimeData(column));
    } else if (kind == QLatin1String("chip")) {
        data.reset(source->chipMimeData(column));
    } else {
        data = std::make_unique<QMimeData>();
        data->setText(QString::number(column));
    }
    QSignalSpy changed(box, &GroupByBox::groupingChanged);
    bool entered = true;
    dragOnto(box, data.get(), QPoint(5, 5), &entered);
    QVERIFY(!entered);
    // Even a drop without the enter before it changes nothing.
    QDropEvent drop(QPointF(5, 5), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &drop);
    QVERIFY(!drop.isAccepted());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(grid.groupedColumns(), QList<int>{Kind});
}

void TestDataGrid::chipDroppedOutsideUngroups()
{
    Contacts contacts;
    DataGrid grid;
    bindContacts(grid, contacts);
    grid.groupBy(Sex);
    grid.groupBy(Kind);
    QWidget* header = grid.view()->header()->viewport();

    bool entered = false;
    std::unique_ptr<QMimeData> sex(grid.groupByBox()->chipMimeData(Sex));
    dragOnto(header, sex.get(), QPoint(10, 5), &entered);
    QVERIFY(entered);
    QCOMPARE(grid.groupedColumns(), QList<int>{Kind});
    QCOMPARE(chipTexts(grid.groupByBox()), QStringList{"类型"});
    QCOMPARE(outline(grid.model()).first(), QStringLiteral("类型: 家人 (3)"));

    // A header dragged onto the header is not the header's business.
    std::unique_ptr<QMimeData> name(grid.groupByBox()->headerMimeData(Name));
    QDropEvent drop(QPointF(10, 5), Qt::MoveAction, name.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(header, &drop);
    QVERIFY(!drop.isAccepted());

    std::unique_ptr<QMimeData> kind(grid.groupByBox()->chipMimeData(Kind));
    dragOnto(header, kind.get(), QPoint(10, 5));
    QVERIFY(grid.groupedColumns().isEmpty());
    QVERIFY(!grid.view()->rootIsDecorated());
    QVERIFY(!grid.groupByBox()->findChild<QLabel*>(QStringLiteral("groupHint"))->isHidden());
}

void TestDataGrid::chipDroppedInsideReorders()
{
    Contacts contacts;
    DataGrid grid;
    QVERIFY(showContacts(grid, contacts));
    grid.groupBy(Kind);
    grid.groupBy(Sex);
    grid.groupBy(Mobile);
    GroupByBox* box = grid.groupByBox();
    QTRY_VERIFY(box->chips().last()->geometry().right() > box->chips().first()->geometry().right());

    const QRect last = box->chips().last()->geometry();
    std::unique_ptr<QMimeData> kind(box->chipMimeData(Kind));
    dragOnto(box, kind.get(), QPoint(last.right() + 5, last.center().y()));
    QCOMPARE(grid.groupedColumns(), (QList<int>{Sex, Mobile, Kind}));
    QCOMPARE(chipTexts(box), (QStringList{"性别", "手机", "类型"}));
    QCOMPARE(outline(grid.model()).first(), QStringLiteral("性别: 男 (4)"));

    // Dropped where it already is: no change to announce.
    QSignalSpy changed(box, &GroupByBox::groupingChanged);
    std::unique_ptr<QMimeData> sex(box->chipMimeData(Sex));
    dragOnto(box, sex.get(), QPoint(1, last.center().y()));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(grid.groupedColumns(), (QList<int>{Sex, Mobile, Kind}));
}

void TestDataGrid::headerClicksStillWork()
{
    Contacts contacts;
    DataGrid grid;
    QVERIFY(showContacts(grid, contacts));
    QHeaderView* header = grid.view()->header();
    header->setSectionsClickable(true);
    QSignalSpy clicked(header, &QHeaderView::sectionClicked);
    const QPoint kindCentre(header->sectionViewportPosition(Kind) + header->sectionSize(Kind) / 2,
                            header->height() / 2);

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, kindCentre);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.last().at(0).toInt(), int(Kind));

    // A jitter below the drag distance is still a click.
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, kindCentre);
    QTest::mouseMove(header->viewport(), kindCentre + QPoint(1, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, kindCentre + QPoint(1, 0));
    QCOMPARE(clicked.count(), 2);

    // Resizing from a section edge still resizes.
    const int edge = header->sectionViewportPosition(Name) + header->sectionSize(Name) - 1;
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, header->height() / 2));
    QTest::mouseMove(header->viewport(), QPoint(edge + 30, header->height() / 2));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 30, header->height() / 2));
    QCOMPARE(header->sectionSize(Name), 80 + 30);
    QVERIFY(grid.groupedColumns().isEmpty());
}

void TestDataGrid::headerDragIsNoClick()
{
    Contacts contacts;
    DataGrid grid;
    QVERIFY(showContacts(grid, contacts));
    QHeaderView* header = grid.view()->header();
    header->setSectionsClickable(true);
    header->resizeSection(Sex, 120);
    QSignalSpy clicked(header, &QHeaderView::sectionClicked);
    const auto centreOf = [header](int section) {
        return QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                      header->height() / 2);
    };

    dragWithMouse(header->viewport(), centreOf(Sex));
    QCOMPARE(clicked.count(), 0);
    QVERIFY(grid.groupedColumns().isEmpty());
    // The header takes the next click as usual.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centreOf(Name));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.last().at(0).toInt(), int(Name));
}

void TestDataGrid::chipDraggedAwayUngroups()
{
    Contacts contacts;
    DataGrid grid;
    QVERIFY(showContacts(grid, contacts));
    grid.groupBy(Kind);
    grid.groupBy(Sex);
    GroupByBox* box = grid.groupByBox();
    QTRY_VERIFY(box->chips().last()->geometry().left() > box->chips().first()->geometry().right());
    QSignalSpy changed(box, &GroupByBox::groupingChanged);

    // A press beside the chips drags nothing.
    dragWithMouse(box, QPoint(box->width() - 3, box->height() / 2));
    QCOMPARE(changed.count(), 0);

    dragWithMouse(box, box->chips().first()->geometry().center());
    QCOMPARE(grid.groupedColumns(), QList<int>{Sex});
    QCOMPARE(chipTexts(box), QStringList{"性别"});
    QCOMPARE(outline(grid.model()).first(), QStringLiteral("性别: 男 (4)"));
    QCOMPARE(changed.count(), 1);
}

void TestDataGrid::selectionMovesTheQuery_data()
{
    QTest::addColumn<QList<int>>("groups");

    QTest::newRow("flat") << QList<int>{};
    QTest::newRow("grouped") << QList<int>{Kind};
    QTest::newRow("two levels") << QList<int>{Sex, Kind};
}

void TestDataGrid::selectionMovesTheQuery()
{
    QFETCH(QList<int>, groups);

    Contacts contacts;
    DataGrid grid;
    bindContacts(grid, contacts);
    for (int column : groups) {
        grid.groupBy(column);
    }
    grid.resize(600, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.currentQueryRow(), 0);
    QSignalSpy changed(&grid, &DataGrid::currentQueryRowChanged);

    // By mouse, as a user would.
    QTreeView* view = grid.view();
    const QModelIndex fourth = grid.model()->indexForQueryRow(4);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(fourth.siblingAtColumn(Sex)).center());
    QCOMPARE(grid.currentQueryRow(), 4);
    QCOMPARE(contacts.query.recNo(), 4);
    QCOMPARE(contacts.query.asText(QStringLiteral("xingming")), QStringLiteral("钱七"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last().at(0).toInt(), 4);

    // By the program.
    grid.setCurrentQueryRow(6);
    QCOMPARE(contacts.query.recNo(), 6);
    QCOMPARE(view->currentIndex().row(), grid.model()->indexForQueryRow(6).row());
    QCOMPARE(grid.model()->queryRow(view->currentIndex()), 6);
    QCOMPARE(view->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.last().at(0).toInt(), 6);

    // By keyboard: the row shown above.
    const QList<int> order = grid.displayOrder();
    const int above = order[order.indexOf(6) - 1];
    QTest::keyClick(view, Qt::Key_Up);
    while (grid.model()->isGroupRow(view->currentIndex())) {
        QTest::keyClick(view, Qt::Key_Up);
    }
    QCOMPARE(grid.currentQueryRow(), above);
    QCOMPARE(contacts.query.recNo(), above);

    // Rows that do not exist leave everything as it is.
    const int before = changed.count();
    grid.setCurrentQueryRow(7);
    grid.setCurrentQueryRow(-1);
    QCOMPARE(contacts.query.recNo(), above);
    QCOMPARE(changed.count(), before);
}

void TestDataGrid::groupRowLeavesTheQueryWhereItWas()
{
    Contacts contacts;
    DataGrid grid;
    bindContacts(grid, contacts);
    grid.groupBy(Kind);
    grid.setCurrentQueryRow(3);
    QSignalSpy changed(&grid, &DataGrid::currentQueryRowChanged);

    const QModelIndex group = grid.model()->index(1, 0);
    QVERIFY(grid.model()->isGroupRow(group));
    grid.view()->setCurrentIndex(group);
    QCOMPARE(grid.currentQueryRow(), -1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last().at(0).toInt(), -1);
    QCOMPARE(contacts.query.recNo(), 3);

    // Back on a data row.
    grid.view()->setCurrentIndex(grid.model()->index(0, 0, group));
    QCOMPARE(grid.currentQueryRow(), 1);
    QCOMPARE(contacts.query.recNo(), 1);
    QCOMPARE(changed.last().at(0).toInt(), 1);
}

void TestDataGrid::regroupingKeepsTheCurrentRow()
{
    Contacts contacts;
    DataGrid grid;
    bindContacts(grid, contacts);
    grid.setCurrentQueryRow(4);
    QSignalSpy changed(&grid, &DataGrid::currentQueryRowChanged);

    const QList<QList<int>> groupings = {{Kind}, {Kind, Sex}, {Sex}, {}};
    for (const QList<int>& groups : groupings) {
        grid.setGroupedColumns(groups);
        QCOMPARE(grid.currentQueryRow(), 4);
        QCOMPARE(grid.view()->currentIndex(), grid.model()->indexForQueryRow(4));
        QVERIFY(grid.view()->selectionModel()->isRowSelected(grid.view()->currentIndex().row(),
                                                             grid.view()->currentIndex().parent()));
    }
    QCOMPARE(changed.count(), 0);
    QCOMPARE(contacts.query.recNo(), 4);
}

void TestDataGrid::doubleClickOpensDataRowsOnly_data()
{
    QTest::addColumn<int>("queryRow"); // -1: the first group row
    QTest::addColumn<int>("emitted");

    QTest::newRow("data row") << 3 << 1;
    QTest::newRow("group row") << -1 << 0;
}

void TestDataGrid::doubleClickOpensDataRowsOnly()
{
    QFETCH(int, queryRow);
    QFETCH(int, emitted);

    Contacts contacts;
    DataGrid grid;
    bindContacts(grid, contacts);
    grid.groupBy(Kind);
    grid.resize(600, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy doubleClicked(&grid, &DataGrid::rowDoubleClicked);

    const QModelIndex index = queryRow < 0 ? grid.model()->index(0, 0) : grid.model()->indexForQueryRow(queryRow);
    QTreeView* view = grid.view();
    const QPoint centre = view->visualRect(index).center();
    // The first click of the pair arrives as a click, as from a real mouse.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(doubleClicked.count(), emitted);
    if (queryRow >= 0) {
        QCOMPARE(contacts.query.recNo(), queryRow);
    }
}

void TestDataGrid::reloadKeepsGroupingAndSelectsTheFirstRow_data()
{
    QTest::addColumn<bool>("add");
    QTest::addColumn<QString>("firstGroup");
    QTest::addColumn<QString>("firstName");

    QTest::newRow("row added in front") << true << "类型: 家人 (4)"
                                        << "吴十";
    QTest::newRow("first row deleted") << false << "类型: 朋友 (2)"
                                       << "李四";
}

void TestDataGrid::reloadKeepsGroupingAndSelectsTheFirstRow()
{
    QFETCH(bool, add);
    QFETCH(QString, firstGroup);
    QFETCH(QString, firstName);

    Contacts contacts;
    DataGrid grid;
    bindContacts(grid, contacts);
    grid.groupBy(Kind);
    grid.groupBy(Sex);
    grid.setCurrentQueryRow(5);
    grid.view()->collapse(grid.model()->index(0, 0));

    Query change(contacts.db.connection());
    change.setSql(kContactSql);
    change.open();
    if (add) {
        addContact(contacts.db.connection(), QStringLiteral("吴十"), QStringLiteral("家人"), QStringLiteral("男"), 0);
    } else {
        change.deleteCurrent();
    }
    contacts.query.open();
    QSignalSpy changed(&grid, &DataGrid::currentQueryRowChanged);
    grid.reload();

    QCOMPARE(grid.groupedColumns(), (QList<int>{Kind, Sex}));
    QCOMPARE(chipTexts(grid.groupByBox()), (QStringList{"类型", "性别"}));
    const QStringList shown = outline(grid.model());
    QCOMPARE(shown.first(), firstGroup);
    QCOMPARE(shown.count(QStringLiteral("    ") + firstName), 1);
    QCOMPARE(grid.displayOrder().size(), contacts.query.rowCount());
    QCOMPARE(grid.currentQueryRow(), 0);
    QCOMPARE(contacts.query.recNo(), 0);
    QCOMPARE(grid.view()->currentIndex().data().toString(), firstName);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last().at(0).toInt(), 0);
    for (const QModelIndex& group : groupRows(grid.model())) {
        QVERIFY(grid.view()->isExpanded(group));
    }
}

void TestDataGrid::emptyQuery_data()
{
    QTest::addColumn<QList<int>>("groups");

    QTest::newRow("flat") << QList<int>{};
    QTest::newRow("grouped") << QList<int>{Kind, Sex};
}

void TestDataGrid::emptyQuery()
{
    QFETCH(QList<int>, groups);

    Contacts contacts;
    DataGrid grid;
    bindContacts(grid, contacts);
    grid.setGroupedColumns(groups);
    grid.setCurrentQueryRow(2);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy changed(&grid, &DataGrid::currentQueryRowChanged);

    // Everything deleted, then the list shown again.
    SchemaMigrator::exec(contacts.db.connection().handle(), QStringLiteral("DELETE FROM Dianhua"));
    contacts.query.open();
    grid.reload();
    QCOMPARE(grid.model()->rowCount(), 0);
    QCOMPARE(grid.groupedColumns(), groups);
    QCOMPARE(grid.currentQueryRow(), -1);
    QVERIFY(grid.displayOrder().isEmpty());
    QVERIFY(!grid.model()->indexForQueryRow(0).isValid());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last().at(0).toInt(), -1);
    grid.setCurrentQueryRow(0);
    QCOMPARE(grid.currentQueryRow(), -1);

    // Without a query at all the grid shows nothing and survives grouping.
    grid.setQuery(nullptr);
    grid.groupBy(Mobile);
    QCOMPARE(grid.model()->rowCount(), 0);
    QVERIFY(grid.displayOrder().isEmpty());
    QCOMPARE(grid.currentQueryRow(), -1);
    grid.view()->viewport()->repaint();
}

void TestDataGrid::largeResultSetupTime()
{
    constexpr int kRows = 100000;
    TestDatabase db;
    sqlite3* handle = db.connection().handle();
    SchemaMigrator::exec(handle, QStringLiteral("BEGIN"));
    {
        const QStringList kinds = {QStringLiteral("家人"), QStringLiteral("朋友"), QStringLiteral("同事"),
                                   QStringLiteral("同学")};
        Statement insert(handle, QStringLiteral("INSERT INTO Dianhua (xingming, leixing, ord) VALUES (?, ?, ?)"));
        for (int i = 0; i < kRows; ++i) {
            insert.bind(1, QStringLiteral("联系人%1").arg(i));
            insert.bind(2, kinds[i % kinds.size()]);
            insert.bind(3, qlonglong(i));
            insert.step();
            insert.reset();
        }
    }
    SchemaMigrator::exec(handle, QStringLiteral("COMMIT"));
    Query query(db.connection());
    query.setSql(kContactSql);
    query.open();
    QCOMPARE(query.rowCount(), kRows);

    QElapsedTimer timer;
    timer.start();
    DataGrid grid;
    grid.setColumns(contactColumns());
    grid.setQuery(&query);
    grid.resize(800, 600);
    grid.show();
    QCoreApplication::processEvents();
    const qint64 flat = timer.elapsed();
    QCOMPARE(grid.model()->rowCount(), kRows);
    QCOMPARE(grid.currentQueryRow(), 0);

    timer.restart();
    grid.groupBy(Kind);
    QCoreApplication::processEvents();
    const qint64 grouped = timer.elapsed();
    QCOMPARE(grid.model()->rowCount(), 4);
    QCOMPARE(grid.model()->index(3, 0).data().toString(), QStringLiteral("类型: 同学 (25000)"));

    timer.restart();
    grid.setCurrentQueryRow(kRows - 1);
    QCoreApplication::processEvents();
    const qint64 lastRow = timer.elapsed();
    QCOMPARE(grid.view()->currentIndex().siblingAtColumn(Name).data().toString(),
             QStringLiteral("联系人%1").arg(kRows - 1));

    qDebug("%d rows: model and view shown in %lld ms; grouped by type in %lld ms; last row selected in %lld ms", kRows,
           flat, grouped, lastRow);
}

QTEST_MAIN(TestDataGrid)

#include "tst_datagrid.moc"
