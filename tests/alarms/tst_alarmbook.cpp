#include "alarms/TfrmAlert.h"
#include "alarms/TfrmAlertEdit.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/DataGrid.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "forms/QueryGridModel.h"
#include "forms/ShadowStyle.h"
#include "forms/TMcxDateEdit.h"
#include "forms/WebView.h"
#include "mock/MockClock.h"
#include "mock/ModalDriver.h"
#include "mock/QueryRows.h"
#include "mock/TestDatabase.h"
#include "mock/UiFixture.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <sqlite3.h>

// The alarm book: the list with its filters and button states, dismissing and
// deleting, and the editor's defaults and checks. The program stands at
// Thursday 5 March 2026, 10:00.
class TestAlarmBook : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void listShowsItsColumnsFilterAndClock();
    void clockFollowsTheProgramClock();
    void filters_data();
    void filters();
    void gridShowsTimesAndKindTexts();
    void buttonStates_data();
    void buttonStates();
    void dismissButtonFollowsTheCurrentRow();
    void dismiss_data();
    void dismiss();
    void dismissTenYearsOverdueWritesOnce();
    void deleteForGood_data();
    void deleteForGood();
    void newAlarmDefaultsAndSave();
    void editorPlacesItsControlsAndMarksTheText();
    void saveChecks_data();
    void saveChecks();
    void editLoadsAndRefusesAnUnmovedOverdueAlarm();
    void editKeepsAKindTheBoxDoesNotList();
    void closingTheEditorLeavesTheListAsItWas();

private:
    int addAlarm(const QDateTime& due, int kind, const QString& title);
    QStringList alarms();
    static QStringList gridRows(const TfrmAlert& list);

    MockClock* m_clock = nullptr;
    std::unique_ptr<UiFixture> m_ui;
};

namespace {
const QDateTime kNow(QDate(2026, 3, 5), QTime(10, 0));

QDateTime at(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}
} // namespace

void TestAlarmBook::init()
{
    FontMapper::install();
    m_ui = std::make_unique<UiFixture>(kNow);
    m_clock = m_ui->clock;
}

void TestAlarmBook::cleanup()
{
    m_ui.reset();
}

int TestAlarmBook::addAlarm(const QDateTime& due, int kind, const QString& title)
{
    Query query(dm->ADOConnection1());
    query.setSql(QStringLiteral("select * from alert where oid = 0"));
    query.open();
    query.append();
    query.setValue(QStringLiteral("dt"), due);
    query.setValue(QStringLiteral("knd"), kind);
    query.setValue(QStringLiteral("title"), title);
    query.post();
    return query.asText(QStringLiteral("oid")).toInt();
}

QStringList TestAlarmBook::alarms()
{
    return queryRows(dm->ADOConnection1(), QStringLiteral("select dt, knd, title from alert order by oid"));
}

QStringList TestAlarmBook::gridRows(const TfrmAlert& list)
{
    const QueryGridModel* model = list.cxGrid1->model();
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column) {
            cells << model->index(row, column).data().toString();
        }
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

void TestAlarmBook::listShowsItsColumnsFilterAndClock()
{
    TfrmAlert list;
    list.setStatusText(QStringLiteral("提醒闹铃！"));
    list.show();
    QCOMPARE(list.windowTitle(), QStringLiteral("我的提醒"));
    QVERIFY(list.windowState() & Qt::WindowMaximized);
    QList<QPushButton*> buttons = list.pnlTool->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
    std::sort(buttons.begin(), buttons.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    QStringList captions;
    for (QPushButton* button : buttons) {
        QCOMPARE(button->size(), QSize(75, 39));
        captions << button->text();
    }
    QCOMPARE(captions, (QStringList{"关闭", "新增", "修改", "不再提醒", "彻底删除", "刷新"}));
    QVERIFY(list.cbKnd->x() > list.btnRefresh->x());
    QCOMPARE(list.cbKnd->width(), 97);
    QCOMPARE(list.cbKnd->currentText(), QStringLiteral("到期提醒"));
    QCOMPARE(list.cbKnd->count(), 5);
    QCOMPARE(list.RzClockStatus1->width(), 181);
    QVERIFY(list.pnlTool->width() - list.RzClockStatus1->geometry().right() <= 2); // at the right edge
    QCOMPARE(list.RzClockStatus1->palette().color(QPalette::WindowText), QColor(Qt::blue));

    QCOMPARE(list.cxGrid1->columns().size(), 3);
    const QHeaderView* header = list.cxGrid1->view()->header();
    const QList<std::pair<QString, int>> columns = {{"到期时间", 200}, {"事件", 500}, {"类型", 120}};
    for (int i = 0; i < columns.size(); ++i) {
        QCOMPARE(list.cxGrid1->columns()[i].caption, columns[i].first);
        QCOMPARE(header->sectionSize(i), columns[i].second);
    }
    QVERIFY(!list.cxGrid1->isGroupByBoxVisible());
    QCOMPARE(list.MPanel1->height(), 77);
    QCOMPARE(list.WebBrowser1->url(), QUrl(dm->adAlert));
    QVERIFY(dm->adAlert.endsWith(QLatin1String("alert/")));
    QCOMPARE(list.statusText(), QStringLiteral("提醒闹铃！"));
    QCOMPARE(list.query().sql(), QStringLiteral("select * from alert where 1=1 and dt < now() order by dt desc"));
}

void TestAlarmBook::clockFollowsTheProgramClock()
{
    TfrmAlert list;
    QCOMPARE(list.RzClockStatus1->text(), QStringLiteral("10:00:00"));
    QVERIFY(list.TimerClock->isActive());
    QCOMPARE(list.TimerClock->interval(), 1000);
    m_clock->setNow(QDateTime(QDate(2026, 3, 5), QTime(21, 7, 9)));
    list.updateClock();
    QCOMPARE(list.RzClockStatus1->text(), QStringLiteral("21:07:09"));
}

void TestAlarmBook::filters_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("到期提醒") << 0 << QStringList{"一小时前", "上周"};
    QTest::newRow("七天提醒") << 1 << QStringList{"六天后", "现在", "一小时前", "上周"};
    QTest::newRow("一月提醒") << 2 << QStringList{"三十天后", "七天整", "六天后", "现在", "一小时前", "上周"};
    QTest::newRow("一年提醒") << 3
                              << QStringList{"三百天后", "三十天后", "七天整", "六天后", "现在", "一小时前", "上周"};
    QTest::newRow("所有提醒") << 4 << QStringList{"两年后", "三百天后", "三十天后", "七天整",
                                                  "六天后", "现在",     "一小时前", "上周"};
}

void TestAlarmBook::filters()
{
    QFETCH(int, filter);
    QFETCH(QStringList, titles);
    addAlarm(kNow.addDays(-7), 1, QStringLiteral("上周"));
    addAlarm(kNow.addDays(30).addSecs(60), 0, QStringLiteral("三十天后"));
    addAlarm(kNow.addSecs(-3600), 0, QStringLiteral("一小时前"));
    // Due this very moment: not yet earlier than now.
    addAlarm(kNow, 0, QStringLiteral("现在"));
    addAlarm(kNow.addDays(6), 3, QStringLiteral("六天后"));
    // Seven days to the second: outside "dt < now() + 7".
    addAlarm(kNow.addDays(7), 3, QStringLiteral("七天整"));
    addAlarm(kNow.addDays(300), 6, QStringLiteral("三百天后"));
    addAlarm(kNow.addDays(730), 6, QStringLiteral("两年后"));
    TfrmAlert list;
    list.show();
    list.cbKnd->setCurrentIndex(filter);
    QStringList shown;
    for (const QString& row : gridRows(list)) {
        shown << row.section(QLatin1Char('|'), 1, 1);
    }
    QCOMPARE(shown, titles);
}

void TestAlarmBook::gridShowsTimesAndKindTexts()
{
    addAlarm(at("2026-03-01 00:00:00"), 2, QStringLiteral("午夜"));
    addAlarm(at("2026-03-02 08:30:05"), 6, QStringLiteral("生日"));
    const int odd = addAlarm(at("2026-03-03 07:00:00"), 0, QStringLiteral("外来的"));
    dm->ExecSql(QStringLiteral("update alert set knd = 9 where oid = %1").arg(odd));
    TfrmAlert list;
    list.show();
    QCOMPARE(gridRows(list), (QStringList{"2026-03-03 07:00:00|外来的|9", "2026-03-02 08:30:05|生日|每年",
                                          "2026-03-01 00:00:00|午夜|每周一至五"}));
    // The kind is stored as a number but shown as words: not lined up on the right like numbers.
    const QueryGridModel* model = list.cxGrid1->model();
    QVERIFY(!(model->index(0, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight));
}

void TestAlarmBook::buttonStates_data()
{
    QTest::addColumn<QList<QDateTime>>("dues");
    QTest::addColumn<int>("filter");
    QTest::addColumn<bool>("editAndDelete");
    QTest::addColumn<bool>("dismiss");
    QTest::newRow("empty result") << QList<QDateTime>{kNow.addDays(3)} << 0 << false << false;
    QTest::newRow("future row") << QList<QDateTime>{kNow.addDays(3)} << 4 << true << false;
    QTest::newRow("due this second") << QList<QDateTime>{kNow} << 4 << true << false;
    QTest::newRow("overdue row") << QList<QDateTime>{kNow.addSecs(-1)} << 0 << true << true;
}

void TestAlarmBook::buttonStates()
{
    QFETCH(QList<QDateTime>, dues);
    QFETCH(int, filter);
    QFETCH(bool, editAndDelete);
    QFETCH(bool, dismiss);
    for (const QDateTime& due : dues) {
        addAlarm(due, 1, QStringLiteral("提醒"));
    }
    TfrmAlert list;
    list.show();
    list.cbKnd->setCurrentIndex(filter);
    QVERIFY(list.btnNew->isEnabled());
    QVERIFY(list.btnRefresh->isEnabled());
    QCOMPARE(list.btnEdit->isEnabled(), editAndDelete);
    QCOMPARE(list.btnDeleteAll->isEnabled(), editAndDelete);
    QCOMPARE(list.btnDelete->isEnabled(), dismiss);
}

void TestAlarmBook::dismissButtonFollowsTheCurrentRow()
{
    addAlarm(kNow.addDays(-1), 1, QStringLiteral("昨天"));
    addAlarm(kNow.addDays(1), 1, QStringLiteral("明天"));
    TfrmAlert list;
    list.show();
    list.cbKnd->setCurrentIndex(TfrmAlert::All);
    QCOMPARE(list.query().asText(QStringLiteral("title")), QStringLiteral("明天"));
    QVERIFY(!list.btnDelete->isEnabled());
    list.cxGrid1->setCurrentQueryRow(1);
    QVERIFY(list.btnDelete->isEnabled());
    list.cxGrid1->setCurrentQueryRow(0);
    QVERIFY(!list.btnDelete->isEnabled());
    // Time passes while the list is open: the row falls due.
    m_clock->setNow(kNow.addDays(2));
    list.cxGrid1->setCurrentQueryRow(1);
    list.cxGrid1->setCurrentQueryRow(0);
    QVERIFY(list.btnDelete->isEnabled());
}

void TestAlarmBook::dismiss_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QDateTime>("due");
    QTest::addColumn<int>("filter");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QStringList>("shown");

    const QDateTime monday = at("2026-03-02 08:00:00");
    QTest::newRow("once goes") << 0 << monday << 0 << true << QStringList{} << QStringList{};
    QTest::newRow("once stays on No") << 0 << monday << 0 << false << QStringList{"2026-03-02 08:00:00|0|闹钟"}
                                      << QStringList{"2026-03-02 08:00:00|闹钟|一次"};
    QTest::newRow("daily leaves the due list")
        << 1 << monday << 0 << true << QStringList{"2026-03-06 08:00:00|1|闹钟"} << QStringList{};
    QTest::newRow("daily stays in all") << 1 << monday << 4 << true << QStringList{"2026-03-06 08:00:00|1|闹钟"}
                                        << QStringList{"2026-03-06 08:00:00|闹钟|每天"};
    QTest::newRow("weekdays over the weekend")
        << 2 << at("2026-02-27 18:00:00") << 4 << true << QStringList{"2026-03-05 18:00:00|2|闹钟"}
        << QStringList{"2026-03-05 18:00:00|闹钟|每周一至五"};
    QTest::newRow("monthly from the 31st")
        << 4 << at("2026-01-31 08:00:00") << 4 << true << QStringList{"2026-03-28 08:00:00|4|闹钟"}
        << QStringList{"2026-03-28 08:00:00|闹钟|每月"};
    QTest::newRow("unknown kind is left") << 9 << monday << 0 << true << QStringList{"2026-03-02 08:00:00|9|闹钟"}
                                          << QStringList{"2026-03-02 08:00:00|闹钟|9"};
}

void TestAlarmBook::dismiss()
{
    QFETCH(int, kind);
    QFETCH(QDateTime, due);
    QFETCH(int, filter);
    QFETCH(bool, yes);
    QFETCH(QStringList, stored);
    QFETCH(QStringList, shown);
    const int oid = addAlarm(due, 0, QStringLiteral("闹钟"));
    dm->ExecSql(QStringLiteral("update alert set knd = %1 where oid = %2").arg(kind).arg(oid));
    TfrmAlert list;
    list.show();
    list.cbKnd->setCurrentIndex(filter);
    if (filter == TfrmAlert::All) {
        // The overdue row has to be current for the button.
        list.cxGrid1->setCurrentQueryRow(list.query().rowCount() - 1);
    }
    QVERIFY(list.btnDelete->isEnabled());
    MessageBox::setNextAnswer(yes ? MessageBox::Yes : MessageBox::No);
    list.btnDelete->click();
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("确定不再提醒吗？")});
    QCOMPARE(MessageBox::shown().first().kind, MessageBox::Question);
    QCOMPARE(alarms(), stored);
    QCOMPARE(gridRows(list), shown);
}

void TestAlarmBook::dismissTenYearsOverdueWritesOnce()
{
    addAlarm(at("2016-03-04 07:30:00"), 1, QStringLiteral("十年前"));
    TfrmAlert list;
    list.show();
    sqlite3* db = dm->ADOConnection1().handle();
    const int changesBefore = sqlite3_total_changes(db);
    MessageBox::setNextAnswer(MessageBox::Yes);
    list.btnDelete->click();
    QCOMPARE(sqlite3_total_changes(db) - changesBefore, 1);
    QCOMPARE(alarms(), QStringList{"2026-03-06 07:30:00|1|十年前"});
}

void TestAlarmBook::deleteForGood_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("yes") << true << QStringList{"2026-04-01 09:00:00|4|房租"};
    QTest::newRow("no") << false << QStringList{"2026-03-06 09:00:00|1|吃药", "2026-04-01 09:00:00|4|房租"};
}

void TestAlarmBook::deleteForGood()
{
    QFETCH(bool, yes);
    QFETCH(QStringList, left);
    addAlarm(at("2026-03-06 09:00:00"), 1, QStringLiteral("吃药"));
    addAlarm(at("2026-04-01 09:00:00"), 4, QStringLiteral("房租"));
    TfrmAlert list;
    list.show();
    list.cbKnd->setCurrentIndex(TfrmAlert::All);
    list.cxGrid1->setCurrentQueryRow(1); // the daily one, not yet due
    QVERIFY(list.btnDeleteAll->isEnabled());
    MessageBox::setNextAnswer(yes ? MessageBox::Yes : MessageBox::No);
    list.btnDeleteAll->click();
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("确定彻底删除吗？")});
    QCOMPARE(alarms(), left);
    QCOMPARE(list.query().rowCount(), int(left.size()));
}

void TestAlarmBook::newAlarmDefaultsAndSave()
{
    TfrmAlert list;
    list.show();
    list.cbKnd->setCurrentIndex(TfrmAlert::All);
    QString caption;
    QString due;
    QString kind;
    QString text = QStringLiteral("not read");
    onNextModal([&](QWidget* modal) {
        auto* editor = static_cast<TfrmAlertEdit*>(modal);
        caption = editor->windowTitle();
        due = editor->deDt->text();
        kind = editor->cbKnd->currentText();
        text = editor->edtTitle->text();
        editor->edtTitle->setText(QStringLiteral("开会"));
        editor->btnSave->click();
    });
    list.btnNew->click();
    QCOMPARE(caption, QStringLiteral("新增"));
    QCOMPARE(due, QStringLiteral("2026-03-05 11:00:00"));
    QCOMPARE(kind, QStringLiteral("一次"));
    QCOMPARE(text, QString());
    QCOMPARE(alarms(), QStringList{"2026-03-05 11:00:00|0|开会"});
    QCOMPARE(gridRows(list), QStringList{"2026-03-05 11:00:00|开会|一次"});
}

void TestAlarmBook::editorPlacesItsControlsAndMarksTheText()
{
    TfrmAlertEdit editor;
    editor.show();
    QCOMPARE(editor.size(), QSize(570, 228));
    QVERIFY(!(editor.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(editor.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(editor.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(editor.btnSave->size(), QSize(75, 39));
    QCOMPARE(editor.btnSave->text(), QStringLiteral("保存"));
    QVERIFY(editor.btnClose->x() < editor.btnSave->x());
    const QList<std::tuple<QWidget*, QString, QPoint, int>> controls = {
        {editor.deDt, "提醒时间", QPoint(16, 88), 257},
        {editor.cbKnd, "提醒方式", QPoint(288, 88), 257},
        {editor.edtTitle, "提醒内容", QPoint(16, 144), 529},
    };
    for (const auto& [control, caption, position, width] : controls) {
        QCOMPARE(control->pos(), position);
        QCOMPARE(control->width(), width);
        auto* label = editor.findChild<QLabel*>(QStringLiteral("lbl_") + control->objectName());
        QVERIFY(label);
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->pos(), position - QPoint(0, 24));
    }
    QCOMPARE(editor.cbKnd->count(), 7);
    QVERIFY(!editor.cbKnd->isEditable());
    QVERIFY(ShadowStyle::isOn(editor.edtTitle));
    QVERIFY(!ShadowStyle::isOn(editor.deDt));
    QCOMPARE(editor.deDt->mode(), TMcxDateEdit::Mode::DateTime);
}

void TestAlarmBook::saveChecks_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::addColumn<QString>("focus");

    // The clock stands at 10:00:00.700 here.
    QTest::newRow("empty text first") << ""
                                      << "2026-03-05 09:00:00"
                                      << "提醒内容不能为空！"
                                      << "edtTitle";
    QTest::newRow("one space is a text") << " "
                                         << "2026-03-05 12:00:00"
                                         << ""
                                         << "";
    QTest::newRow("a second too early") << "开会"
                                        << "2026-03-05 09:59:59"
                                        << "提醒时间不能早于当前时间！"
                                        << "deDt";
    QTest::newRow("the current second passes") << "开会"
                                               << "2026-03-05 10:00:00"
                                               << ""
                                               << "";
    QTest::newRow("a day in the past") << "开会"
                                       << "2026-03-04 23:00:00"
                                       << "提醒时间不能早于当前时间！"
                                       << "deDt";
    QTest::newRow("no time") << "开会"
                             << ""
                             << "提醒时间不能为空！"
                             << "deDt";
    QTest::newRow("not a time") << "开会"
                                << "明天早上"
                                << "“明天早上”不是有效的提醒时间，请按“2026-01-31 08:00:00”的格式输入！"
                                << "deDt";
}

void TestAlarmBook::saveChecks()
{
    QFETCH(QString, title);
    QFETCH(QString, due);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    m_clock->setNow(QDateTime(QDate(2026, 3, 5), QTime(10, 0, 0, 700)));
    TfrmAlertEdit editor;
    editor.RecordOid = QStringLiteral("0");
    editor.show();
    editor.edtTitle->setText(title);
    editor.deDt->setText(due);
    editor.btnSave->click();
    if (message.isEmpty()) {
        QVERIFY(MessageBox::shownTexts().isEmpty());
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(alarms(), QStringList{due + QStringLiteral("|0|") + title});
        return;
    }
    QCOMPARE(MessageBox::shownTexts(), QStringList{message});
    QCOMPARE(MessageBox::shown().first().kind, MessageBox::Information);
    QVERIFY(editor.isVisible());
    QVERIFY(alarms().isEmpty());
    // The user's input stays for the next try.
    QCOMPARE(editor.edtTitle->text(), title);
    QCOMPARE(editor.deDt->text(), due);
    QWidget* expected = editor.findChild<QWidget*>(focus);
    QVERIFY(expected);
    QCOMPARE(editor.focusWidget(), expected->focusProxy() ? expected->focusProxy() : expected);
}

void TestAlarmBook::editLoadsAndRefusesAnUnmovedOverdueAlarm()
{
    addAlarm(at("2026-03-04 18:00:00"), 2, QStringLiteral("下班"));
    TfrmAlert list;
    list.show();
    QStringList seen;
    QStringList messages;
    bool stillOpen = false;
    onNextModal([&](QWidget* modal) {
        auto* editor = static_cast<TfrmAlertEdit*>(modal);
        seen << editor->windowTitle() << editor->deDt->text() << editor->cbKnd->currentText()
             << editor->edtTitle->text();
        editor->btnSave->click();
        messages = MessageBox::shownTexts();
        stillOpen = editor->isVisible();
        editor->deDt->setText(QStringLiteral("2026-03-05 18:00:00"));
        editor->cbKnd->setCurrentIndex(1);
        editor->btnSave->click();
    });
    list.btnEdit->click();
    QCOMPARE(seen, (QStringList{"修改", "2026-03-04 18:00:00", "每周一至五", "下班"}));
    QCOMPARE(messages, QStringList{QStringLiteral("提醒时间不能早于当前时间！")});
    QVERIFY(stillOpen);
    QCOMPARE(alarms(), QStringList{"2026-03-05 18:00:00|1|下班"});
    // Saved and refreshed: no longer due, so the due list is empty.
    QCOMPARE(list.query().rowCount(), 0);
    QVERIFY(!list.btnEdit->isEnabled());
}

void TestAlarmBook::editKeepsAKindTheBoxDoesNotList()
{
    const int oid = addAlarm(at("2026-03-09 08:00:00"), 0, QStringLiteral("外来的"));
    dm->ExecSql(QStringLiteral("update alert set knd = 9 where oid = %1").arg(oid));
    TfrmAlertEdit editor;
    editor.RecordOid = QString::number(oid);
    editor.show();
    QCOMPARE(editor.cbKnd->currentIndex(), -1);
    editor.edtTitle->setText(QStringLiteral("改过的"));
    editor.btnSave->click();
    QCOMPARE(alarms(), QStringList{"2026-03-09 08:00:00|9|改过的"});
}

void TestAlarmBook::closingTheEditorLeavesTheListAsItWas()
{
    addAlarm(at("2026-03-01 08:00:00"), 1, QStringLiteral("晨跑"));
    TfrmAlert list;
    list.show();
    const QStringList before = gridRows(list);
    const QString sql = list.query().sql();
    onNextModal([](QWidget* modal) {
        auto* editor = static_cast<TfrmAlertEdit*>(modal);
        editor->edtTitle->setText(QStringLiteral("改了但不保存"));
        editor->deDt->setText(QStringLiteral("2027-01-01 08:00:00"));
        editor->btnClose->click();
    });
    list.btnEdit->click();
    QCOMPARE(alarms(), QStringList{"2026-03-01 08:00:00|1|晨跑"});
    QCOMPARE(gridRows(list), before);
    QCOMPARE(list.query().sql(), sql);
    QVERIFY(MessageBox::shownTexts().isEmpty());
}

QTEST_MAIN(TestAlarmBook)
#include "tst_alarmbook.moc"
