#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/DataGrid.h"
#include "forms/EditorLayout.h"
#include "forms/FileDialog.h"
#include "forms/MessageBox.h"
#include "forms/QueryGridModel.h"
#include "forms/TMcxDateEdit.h"
#include "forms/TMcxTextEdit.h"
#include "forms/TfrmBaseEdit.h"
#include "forms/TfrmBaseListFilter.h"
#include "forms/WebView.h"
#include "mock/UiFixture.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <freexl.h>
#include <optional>

namespace {
class NoteEditor : public TfrmBaseEdit {
public:
    explicit NoteEditor(QWidget* owner)
        : TfrmBaseEdit(owner)
    {
        TableName = SaveTableName = QStringLiteral("Jishi");
        EditorLayout form(this);
        dt = form.add<TMcxDateEdit>("dt", "日期", {16, 80, 121}, EditorLayout::Required);
        jishi = form.add<TMcxTextEdit>("jishi", "记事", {16, 136, 300}, EditorLayout::Required);
    }

    TMcxDateEdit* dt;
    TMcxTextEdit* jishi;
};

// A date-filtered list made only for these tests.
class NoteList : public TfrmBaseListFilter {
public:
    explicit NoteList(bool offerCopy = true)
    {
        setWindowTitle(QStringLiteral("记事"));
        TableName = QStringLiteral("Jishi");
        OrderSql = QStringLiteral(" order by dt desc");
        setColumns({{QStringLiteral("日期"), QStringLiteral("dt"), 100},
                    {QStringLiteral("类型"), QStringLiteral("leixing"), 80},
                    {QStringLiteral("记事"), QStringLiteral("jishi"), 300}});
        setAdPage(dm->adCommon);
        btnCopyNew->setVisible(offerCopy);
    }

protected:
    DaysSetting daysSetting() const override
    {
        return {dm->DaysJishi, 30, QStringLiteral("“记事列表默认日期范围天数”格式错误，请重新设置。现在默认30天。")};
    }

    TfrmBaseEdit* createEditor() override { return new NoteEditor(this); }
};

QString cellText(FreeXL_CellValue& cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return QString::number(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return QString::number(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
        return QString::fromUtf8(cell.value.text_value);
    default:
        return {};
    }
}

// Every cell of the first sheet, row by row, "a|b|c".
QStringList readWorkbook(const QString& path)
{
    const void* handle = nullptr;
    QStringList rows;
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK) {
        return {QStringLiteral("cannot open")};
    }
    freexl_select_active_worksheet(handle, 0);
    unsigned int rowCount = 0;
    unsigned short columnCount = 0;
    freexl_worksheet_dimensions(handle, &rowCount, &columnCount);
    for (unsigned int r = 0; r < rowCount; ++r) {
        QStringList cells;
        for (unsigned short c = 0; c < columnCount; ++c) {
            FreeXL_CellValue cell;
            freexl_get_cell_value(handle, r, c, &cell);
            cells << cellText(cell);
        }
        rows << cells.join(QLatin1Char('|'));
    }
    freexl_close(handle);
    return rows;
}
} // namespace

class TestBaseList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensWithTheDefaultRange();
    void badDaysParameterFallsBackWithMessage();
    void filterIncludesBothEndDaysWhole_data();
    void filterIncludesBothEndDaysWhole();
    void dateChangesRequeryOnlyAfterTheTimer();
    void calendarPickRequeriesAtOnce();
    void buttonStatesFollowTheRows();
    void doubleClickRule_data();
    void doubleClickRule();
    void savedEditorRequeriesCancelledDoesNot();
    void savedRowShowsAsAFullRequeryWould_data();
    void savedRowShowsAsAFullRequeryWould();
    void deleteAsksFirst();
    void exportWritesEveryRowAsShown();
    void exportToUnwritableTargetChangesNothing();
    void exportNameHoldsNoForbiddenCharacters();
    void gridRowsFitChineseText();

private:
    void addNote(const QString& when, const QString& type, const QString& text);

    std::optional<UiFixture> m_ui;
};

void TestBaseList::init()
{
    m_ui.emplace(QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
}

void TestBaseList::cleanup()
{
    m_ui.reset();
}

void TestBaseList::addNote(const QString& when, const QString& type, const QString& text)
{
    m_ui->insertRow(QStringLiteral("Jishi"), {{"dt", when}, {"leixing", type}, {"jishi", text}});
}

void TestBaseList::opensWithTheDefaultRange()
{
    addNote(QStringLiteral("2026-11-10"), QStringLiteral("待办"), QStringLiteral("太早"));
    addNote(QStringLiteral("2026-11-11"), QStringLiteral("待办"), QStringLiteral("第一天"));
    addNote(QStringLiteral("2026-12-11"), QStringLiteral("已办"), QStringLiteral("今天"));
    NoteList list;
    list.setStatusText(QStringLiteral("状态栏文字"));
    list.show();
    QCOMPARE(list.edtStart->text(), QStringLiteral("2026-11-11"));
    QCOMPARE(list.edtEnd->text(), QStringLiteral("2026-12-11"));
    QCOMPARE(list.query().sql(), QStringLiteral("select * from Jishi where 1=1 and dt >= #2026-11-11# and "
                                                "dt - 1 < #2026-12-11# order by dt desc"));
    QCOMPARE(list.query().rowCount(), 2);
    QCOMPARE(list.FilterSql, QString());
    QCOMPARE(list.statusText(), QStringLiteral("状态栏文字"));
    QCOMPARE(list.WebBrowser1->url().toString(), dm->adCommon);
    QVERIFY(MessageBox::shown().isEmpty());
    QList<QPushButton*> shown;
    for (QPushButton* button : list.pnlTool->findChildren<QPushButton*>()) {
        if (button->isVisibleTo(&list)) {
            shown << button;
        }
    }
    std::sort(shown.begin(), shown.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QStringList buttons;
    for (QPushButton* button : shown) {
        buttons << button->text();
    }
    QCOMPARE(buttons, (QStringList{"关闭", "新增", "复制新增", "修改", "删除", "查询", "导出Excel"}));
}

void TestBaseList::badDaysParameterFallsBackWithMessage()
{
    dm->ExecSql(QStringLiteral("update param set val = 'abc' where param = 'DaysJishi'"));
    dm->LoadParams();
    NoteList list;
    list.show();
    QCOMPARE(MessageBox::shownTexts(),
             QStringList{QStringLiteral("“记事列表默认日期范围天数”格式错误，请重新设置。现在默认30天。")});
    QCOMPARE(list.edtStart->date(), QDate(2026, 11, 11));
}

void TestBaseList::filterIncludesBothEndDaysWhole_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("rows");
    QTest::newRow("one single day") << "2026-12-05"
                                    << "2026-12-05" << 2;
    QTest::newRow("no start") << ""
                              << "2026-12-05" << 4;
    QTest::newRow("no end") << "2026-12-05"
                            << "" << 3;
    QTest::newRow("both open") << ""
                               << "" << 5;
    QTest::newRow("start after end") << "2026-12-06"
                                     << "2026-12-05" << 0;
}

void TestBaseList::filterIncludesBothEndDaysWhole()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(int, rows);
    addNote(QStringLiteral("2026-01-01"), {}, QStringLiteral("a"));
    addNote(QStringLiteral("2026-12-04"), {}, QStringLiteral("b"));
    addNote(QStringLiteral("2026-12-05"), {}, QStringLiteral("c"));
    addNote(QStringLiteral("2026-12-05"), {}, QStringLiteral("d"));
    addNote(QStringLiteral("2026-12-06"), {}, QStringLiteral("e"));
    NoteList list;
    list.show();
    list.edtStart->setText(start);
    list.edtEnd->setText(end);
    list.btnFilter->click();
    QCOMPARE(list.query().rowCount(), rows);
}

void TestBaseList::dateChangesRequeryOnlyAfterTheTimer()
{
    addNote(QStringLiteral("2026-10-01"), {}, QStringLiteral("早"));
    NoteList list;
    list.show();
    QCOMPARE(list.query().rowCount(), 0);
    list.edtStart->setDate(QDate(2026, 9, 1));
    QCOMPARE(list.query().rowCount(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!list.TimerAutoFIlter->isActive(), 3000);
    list.edtStart->setDate(QDate(2026, 9, 2));
    QCOMPARE(list.query().rowCount(), 1);
    // Half-typed text runs nothing; emptying the edit opens that side.
    list.edtEnd->setText(QStringLiteral("2026-1"));
    QCOMPARE(list.query().rowCount(), 1);
    list.edtStart->setDate(QDate(2026, 12, 1));
    QCOMPARE(list.query().rowCount(), 1);
    list.btnFilter->click();
    QCOMPARE(MessageBox::shownTexts().size(), 1);
    list.edtEnd->clear();
    QCOMPARE(list.query().rowCount(), 0);
}

void TestBaseList::calendarPickRequeriesAtOnce()
{
    addNote(QStringLiteral("2026-10-15"), {}, QStringLiteral("十月"));
    NoteList list;
    list.show();
    QTRY_VERIFY_WITH_TIMEOUT(!list.TimerAutoFIlter->isActive(), 3000);
    list.edtStart->showCalendar();
    auto* calendar = list.edtStart->calendarPopup()->findChild<QCalendarWidget*>();
    QVERIFY(calendar);
    QCOMPARE(calendar->selectedDate(), QDate(2026, 11, 11));
    Q_EMIT calendar->clicked(QDate(2026, 10, 1));
    QVERIFY(!list.edtStart->calendarPopup()->isVisible());
    QCOMPARE(list.edtStart->text(), QStringLiteral("2026-10-01"));
    QCOMPARE(list.query().rowCount(), 1);
}

void TestBaseList::buttonStatesFollowTheRows()
{
    NoteList list;
    list.show();
    QVERIFY(list.btnNew->isEnabled());
    QVERIFY(!list.btnEdit->isEnabled());
    QVERIFY(!list.btnDelete->isEnabled());
    QVERIFY(!list.btnCopyNew->isEnabled());
    addNote(QStringLiteral("2026-12-10"), {}, QStringLiteral("一条"));
    list.btnFilter->click();
    QVERIFY(list.btnEdit->isEnabled() && list.btnDelete->isEnabled() && list.btnCopyNew->isEnabled());
    MessageBox::setNextAnswer(MessageBox::Yes);
    list.btnDelete->click();
    QCOMPARE(list.query().rowCount(), 0);
    QVERIFY(!list.btnEdit->isEnabled());
    QVERIFY(!list.btnDelete->isEnabled());
    QVERIFY(!list.btnCopyNew->isEnabled());
}

void TestBaseList::doubleClickRule_data()
{
    QTest::addColumn<bool>("offerCopy");
    QTest::addColumn<bool>("hasRows");
    QTest::addColumn<QString>("opened");
    QTest::newRow("copy offered") << true << true << "复制新增";
    QTest::newRow("copy hidden") << false << true << "修改";
    QTest::newRow("no rows") << true << false << "";
}

void TestBaseList::doubleClickRule()
{
    QFETCH(bool, offerCopy);
    QFETCH(bool, hasRows);
    QFETCH(QString, opened);
    if (hasRows) {
        addNote(QStringLiteral("2026-12-10"), {}, QStringLiteral("双击我"));
    }
    NoteList list(offerCopy);
    list.show();
    QString caption;
    QString shownText;
    onNextModal([&](QWidget* modal) {
        caption = modal->windowTitle();
        shownText = static_cast<NoteEditor*>(modal)->jishi->text();
        static_cast<QDialog*>(modal)->reject();
    });
    Q_EMIT list.cxGrid1->rowDoubleClicked();
    if (opened.isEmpty()) {
        QTest::qWait(50);
        QCOMPARE(caption, QString());
        return;
    }
    QCOMPARE(caption, opened);
    QCOMPARE(shownText, QStringLiteral("双击我"));
}

void TestBaseList::savedEditorRequeriesCancelledDoesNot()
{
    NoteList list;
    list.show();
    // A row added behind the list's back shows only once the list runs its
    // query again; a save reads back only the row it saved.
    addNote(QStringLiteral("2026-12-09"), {}, QStringLiteral("后台"));
    onNextModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    list.btnNew->click();
    QCOMPARE(list.query().rowCount(), 0);

    onNextModal([](QWidget* modal) {
        auto* editor = static_cast<NoteEditor*>(modal);
        QCOMPARE(editor->windowTitle(), QStringLiteral("新增"));
        editor->dt->setDate(QDate(2026, 12, 10));
        editor->jishi->setText(QStringLiteral("新的"));
        editor->btnSave->click();
    });
    list.btnNew->click();
    QCOMPARE(list.query().rowCount(), 1);
    QCOMPARE(list.query().asText(QStringLiteral("jishi")), QStringLiteral("新的"));
    QCOMPARE(list.cxGrid1->currentQueryRow(), 0);
    list.btnFilter->click();
    QCOMPARE(list.query().rowCount(), 2);

    // Saved outside the range: the filtered statement leaves it out.
    onNextModal([](QWidget* modal) {
        auto* editor = static_cast<NoteEditor*>(modal);
        editor->dt->setDate(QDate(2025, 1, 1));
        editor->jishi->setText(QStringLiteral("很久以前"));
        editor->btnSave->click();
    });
    list.btnNew->click();
    QCOMPARE(list.query().rowCount(), 2);
}

void TestBaseList::deleteAsksFirst()
{
    addNote(QStringLiteral("2026-12-10"), {}, QStringLiteral("留下"));
    addNote(QStringLiteral("2026-12-11"), {}, QStringLiteral("删除"));
    NoteList list;
    list.show();
    QCOMPARE(list.query().asText(QStringLiteral("jishi")), QStringLiteral("删除"));
    MessageBox::setNextAnswer(MessageBox::No);
    list.btnDelete->click();
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("确定删除吗？")});
    QCOMPARE(list.query().rowCount(), 2);
    MessageBox::setNextAnswer(MessageBox::Yes);
    list.btnDelete->click();
    QCOMPARE(list.query().rowCount(), 1);
    QCOMPARE(list.query().asText(QStringLiteral("jishi")), QStringLiteral("留下"));
    QCOMPARE(dm->SelectValue(QStringLiteral("select count(*) as n from Jishi"), QStringLiteral("n")),
             QStringLiteral("1"));
}

void TestBaseList::exportWritesEveryRowAsShown()
{
    addNote(QStringLiteral("2026-12-01"), QStringLiteral("待办"), QStringLiteral("买菜"));
    addNote(QStringLiteral("2026-12-02"), QStringLiteral("已办"), QStringLiteral("交电费 <b>\"引号\"</b>"));
    addNote(QStringLiteral("2026-12-03"), QStringLiteral("待办"), QStringLiteral("接孩子"));
    NoteList list;
    list.show();
    list.cxGrid1->groupBy(1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xls"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an older file that is replaced without asking");
    old.close();
    FileDialog::setNextFileName(path);
    list.btnToExcel->click();
    QCOMPARE(FileDialog::lastProposedPath(), QStringLiteral("记事(2026-11-11~2026-12-11)_Pelorin.xls"));
    QVERIFY(MessageBox::shown().isEmpty());
    const QStringList rows = readWorkbook(path);
    QCOMPARE(rows.first(), QStringLiteral("日期|类型|记事"));
    // Grouped by type, every group expanded; inside a group the list's order (newest first).
    QCOMPARE(rows.mid(1), (QStringList{QStringLiteral("2026-12-03|待办|接孩子"), QStringLiteral("2026-12-01|待办|买菜"),
                                       QStringLiteral("2026-12-02|已办|交电费 <b>\"引号\"</b>")}));
}

void TestBaseList::exportToUnwritableTargetChangesNothing()
{
    addNote(QStringLiteral("2026-12-01"), {}, QStringLiteral("x"));
    NoteList list;
    list.show();
    FileDialog::setNextFileName(m_ui->db.folder() + QStringLiteral("/no/such/folder/out.xls"));
    list.btnToExcel->click();
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().kind, MessageBox::Error);
    QCOMPARE(list.query().rowCount(), 1);
    QVERIFY(list.isVisible());

    FileDialog::setNextFileName(QString()); // cancelled: nothing happens
    list.btnToExcel->click();
    QCOMPARE(MessageBox::shown().size(), 1);
}

void TestBaseList::exportNameHoldsNoForbiddenCharacters()
{
    NoteList list;
    list.setWindowTitle(QStringLiteral("记事/备忘\\a:b*c?d\"e<f>g|h"));
    list.show();
    FileDialog::setNextFileName(QString());
    list.btnToExcel->click();
    QCOMPARE(FileDialog::lastProposedPath(),
             QStringLiteral("记事_备忘_a_b_c_d_e_f_g_h(2026-11-11~2026-12-11)_Pelorin.xls"));
}

void TestBaseList::gridRowsFitChineseText()
{
    addNote(QStringLiteral("2026-12-01"), QStringLiteral("待办"), QStringLiteral("国"));
    addNote(QStringLiteral("2026-12-02"), QStringLiteral("已办"), QStringLiteral("汉"));
    NoteList list;
    list.show();
    list.cxGrid1->groupBy(0);
    QTreeView* view = list.cxGrid1->view();
    const QFontMetrics metrics(view->font());
    const int textHeight = metrics.boundingRect(QStringLiteral("汉字国")).height();
    const QModelIndex group = view->model()->index(0, 0);
    const QModelIndex row = view->model()->index(0, 2, group);
    for (const QModelIndex& index : {group, row}) {
        const int height = view->visualRect(index).height();
        QVERIFY2(height >= textHeight + 4, qPrintable(QStringLiteral("%1 < %2").arg(height).arg(textHeight)));
    }
    // A grouped date reads whole in its group row.
    const QString label = view->model()->data(group).toString();
    QVERIFY2(label.contains(QStringLiteral("2026-12-02")), qPrintable(label));
    QVERIFY(view->isFirstColumnSpanned(0, {}));
    QVERIFY(view->visualRect(group).width() >= metrics.horizontalAdvance(label));
}

namespace {
// What the grid shows, group rows included, and where its selection stands.
QStringList shownRows(const DataGrid& grid)
{
    const QAbstractItemModel* model = grid.view()->model();
    QStringList rows;
    const auto walk = [&](auto&& self, const QModelIndex& parent, const QString& indent) -> void {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(parent); ++column) {
                cells << model->index(row, column, parent).data().toString();
            }
            rows << indent + cells.join(QLatin1Char('|'));
            self(self, model->index(row, 0, parent), indent + QLatin1String("  "));
        }
    };
    walk(walk, {}, {});
    const QModelIndex current = grid.view()->currentIndex();
    rows << QStringLiteral("current: ") + current.siblingAtColumn(2).data().toString() + QLatin1Char('/') +
                QString::number(grid.currentQueryRow()) + QLatin1Char('/') + QString::number(grid.query()->recNo());
    return rows;
}
} // namespace

void TestBaseList::savedRowShowsAsAFullRequeryWould_data()
{
    QTest::addColumn<QString>("flow"); // the button pressed
    QTest::addColumn<int>("row");      // the query row selected first
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("groupBy"); // grid column, or -1
    const QDate tie(2026, 12, 1);
    for (int groupBy : {-1, 0}) {
        const QByteArray grouped = groupBy < 0 ? "" : ", grouped";
        QTest::newRow(QByteArray("new, newest" + grouped).constData())
            << "新增" << 0 << QDate(2026, 12, 11) << "最新" << groupBy;
        QTest::newRow(QByteArray("new, oldest in range" + grouped).constData())
            << "新增" << 0 << QDate(2026, 11, 11) << "最旧" << groupBy;
        QTest::newRow(QByteArray("new, among equal dates" + grouped).constData())
            << "新增" << 2 << tie << "同一天" << groupBy;
        QTest::newRow(QByteArray("new, outside the range" + grouped).constData())
            << "新增" << 1 << QDate(2025, 1, 1) << "很早" << groupBy;
        QTest::newRow(QByteArray("edit, moves down" + grouped).constData())
            << "修改" << 0 << QDate(2026, 11, 20) << "挪后" << groupBy;
        QTest::newRow(QByteArray("edit, text only" + grouped).constData())
            << "修改" << 3 << QDate(2026, 12, 1) << "只改字" << groupBy;
        QTest::newRow(QByteArray("edit, into equal dates" + grouped).constData())
            << "修改" << 0 << tie << "并入" << groupBy;
        QTest::newRow(QByteArray("edit, out of the range" + grouped).constData())
            << "修改" << 4 << QDate(2027, 1, 1) << "出界" << groupBy;
        QTest::newRow(QByteArray("copy" + grouped).constData()) << "复制新增" << 2 << tie << "复制" << groupBy;
    }
}

void TestBaseList::savedRowShowsAsAFullRequeryWould()
{
    QFETCH(QString, flow);
    QFETCH(int, row);
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QFETCH(int, groupBy);
    for (const char* day : {"2026-12-01", "2026-12-05", "2026-12-01", "2026-12-10", "2026-12-01", "2026-11-20"}) {
        addNote(QString::fromLatin1(day), QStringLiteral("待办"), QStringLiteral("记%1").arg(QString::fromLatin1(day)));
    }
    NoteList list;
    list.show();
    if (groupBy >= 0) {
        list.cxGrid1->groupBy(groupBy);
    }
    list.cxGrid1->setCurrentQueryRow(row);
    QCOMPARE(list.query().recNo(), row);
    const QStringList before = shownRows(*list.cxGrid1);
    QSignalSpy resets(list.cxGrid1->model(), &QAbstractItemModel::modelReset);
    onNextModal([date, text](QWidget* modal) {
        auto* editor = static_cast<NoteEditor*>(modal);
        editor->dt->setDate(date);
        editor->jishi->setText(text);
        editor->btnSave->click();
    });
    QPushButton* button = flow == QLatin1String("新增")   ? list.btnNew
                          : flow == QLatin1String("修改") ? list.btnEdit
                                                          : list.btnCopyNew;
    button->click();

    NoteList fresh;
    fresh.show();
    if (groupBy >= 0) {
        fresh.cxGrid1->groupBy(groupBy);
    }
    const QStringList shown = shownRows(*list.cxGrid1);
    QVERIFY(shown != before);
    QCOMPARE(shown, shownRows(*fresh.cxGrid1));
    QCOMPARE(list.btnEdit->isEnabled(), fresh.btnEdit->isEnabled());
    if (groupBy < 0) {
        QCOMPARE(resets.count(), 0); // one row told to the view, not the whole list again
    }
}

QTEST_MAIN(TestBaseList)
#include "tst_baselist.moc"
