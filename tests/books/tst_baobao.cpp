#include "books/TfrmBaobao.h"
#include "books/TfrmBbJiaoyu.h"
#include "books/TfrmBbJiaoyuEdit.h"
#include "books/TfrmBbJishi.h"
#include "books/TfrmBbJishiEdit.h"
#include "books/TfrmBbShengao.h"
#include "books/TfrmBbShengaoEdit.h"
#include "books/TfrmBbTizhong.h"
#include "books/TfrmBbTizhongEdit.h"
#include "core/data/DbError.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/DataGrid.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "forms/RecordBinder.h"
#include "forms/TMcxComboBox.h"
#include "forms/TMcxDateEdit.h"
#include "forms/WebView.h"
#include "mock/QueryRows.h"
#include "mock/UiFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>
#include <optional>

namespace {
enum class CloseBy { Reject, Accept, CloseBox, Escape };

std::unique_ptr<TfrmBaseListFilter> makeList(const QString& book)
{
    if (book == QLatin1String("jishi")) {
        return std::make_unique<TfrmBbJishi>();
    }
    if (book == QLatin1String("jiaoyu")) {
        return std::make_unique<TfrmBbJiaoyu>();
    }
    if (book == QLatin1String("shengao")) {
        return std::make_unique<TfrmBbShengao>();
    }
    return std::make_unique<TfrmBbTizhong>();
}

std::unique_ptr<TfrmBaseEdit> makeEditor(const QString& book)
{
    if (book == QLatin1String("jishi")) {
        return std::make_unique<TfrmBbJishiEdit>();
    }
    if (book == QLatin1String("jiaoyu")) {
        return std::make_unique<TfrmBbJiaoyuEdit>();
    }
    if (book == QLatin1String("shengao")) {
        return std::make_unique<TfrmBbShengaoEdit>();
    }
    return std::make_unique<TfrmBbTizhongEdit>();
}

QString tableOf(const QString& book)
{
    return QStringLiteral("bb_") + book;
}

// The stored columns an editor shows, in the order of its controls.
QString storedColumns(const QString& book)
{
    return book == QLatin1String("jishi") || book == QLatin1String("jiaoyu") ? QStringLiteral("dt, knd, title, remark")
                                                                             : QStringLiteral("dt, val, remark");
}

// What the editor's bound controls show, "dt|knd|title|remark".
QString shownTexts(const QWidget* editor)
{
    QStringList texts;
    for (const QWidget* control : RecordBinder::boundControls(editor)) {
        texts << RecordBinder::textOf(control);
    }
    return texts.join(QLatin1Char('|'));
}

QStringList typeItems(const QWidget* editor)
{
    QStringList items;
    if (const auto* types = editor->findChild<TMcxComboBox*>(QStringLiteral("knd"))) {
        for (int i = 0; i < types->count(); ++i) {
            items << types->itemText(i);
        }
    }
    return items;
}

} // namespace

Q_DECLARE_METATYPE(CloseBy)

class TestBaobao : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void diaryHasABlueTitlePointingButtonsAndNoMinimise();
    void countersFollowTheBirthDate();
    void futureBirthDateBecomesToday_data();
    void futureBirthDateBecomesToday();
    void birthDateKeptOnEveryClose_data();
    void birthDateKeptOnEveryClose();
    void databaseErrorOnCloseIsReported();
    void buttonsOpenTheirBooks_data();
    void buttonsOpenTheirBooks();

    void listShowsItsColumns_data();
    void listShowsItsColumns();
    void badDaysParameterFallsBackTo180_data();
    void badDaysParameterFallsBackTo180();

    void newRecordDefaultsAndSave_data();
    void newRecordDefaultsAndSave();
    void copyKeepsDateAndValues_data();
    void copyKeepsDateAndValues();
    void measureRefusesText_data();
    void measureRefusesText();

private:
    void setStoredBirth(const QDate& birth);
    QStringList storedBirth();

    std::optional<UiFixture> m_ui;
};

void TestBaobao::init()
{
    FontMapper::install();
    m_ui.emplace(QDateTime(QDate(2025, 5, 9), QTime(9, 30)));
}

void TestBaobao::cleanup()
{
    m_ui.reset();
}

void TestBaobao::setStoredBirth(const QDate& birth)
{
    Query query(dm->ADOConnection1());
    query.setSql(QStringLiteral("select * from param_baobao where oid = 1"));
    query.open();
    query.edit();
    query.setValue(QStringLiteral("bir"), QVariant(birth));
    query.post();
}

QStringList TestBaobao::storedBirth()
{
    return queryRows(dm->ADOConnection1(), QStringLiteral("select oid, bir from param_baobao"));
}

void TestBaobao::diaryHasABlueTitlePointingButtonsAndNoMinimise()
{
    TfrmBaobao diary;
    diary.show();
    QVERIFY(!(diary.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(diary.pnlTitle->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QCOMPARE(diary.pnlTitle->font().pixelSize(), 32);
    for (QPushButton* button : {diary.btnShengao, diary.btnTizhong, diary.btnJishi, diary.btnJiaoyu}) {
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    }
    QVERIFY(diary.StatusBar1->isVisible());
    QCOMPARE(diary.StatusBar1->geometry().bottom(), diary.height() - 1);
}

void TestBaobao::countersFollowTheBirthDate()
{
    setStoredBirth(QDate(2024, 5, 10));
    TfrmBaobao diary;
    diary.show();
    QCOMPARE(diary.deBir->text(), QStringLiteral("2024-05-10"));
    const auto labels = [&] {
        return QStringList{diary.lblDays->text(), diary.lblMonths->text(), diary.lblYears->text(),
                           diary.lblBir->text()};
    };
    QCOMPARE(labels(), (QStringList{"距离今天已经 364 天。", "距离今天已经 11 个月 29 天。",
                                    "距离今天已经 0 年 11 个月 29 天。", "距离下一个生日还有 1 天。"}));

    diary.deBir->setText(QStringLiteral("2024-05-09"));
    const QStringList birthdayToday{"距离今天已经 365 天。", "距离今天已经 11 个月 30 天。",
                                    "距离今天已经 0 年 11 个月 30 天。", "距离下一个生日还有 0 天。"};
    QCOMPARE(labels(), birthdayToday);

    // Half-typed and emptied edits leave the counters as they were.
    diary.deBir->setText(QStringLiteral("2023-0"));
    QCOMPARE(labels(), birthdayToday);
    diary.deBir->clear();
    QCOMPARE(labels(), birthdayToday);
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestBaobao::futureBirthDateBecomesToday_data()
{
    QTest::addColumn<bool>("stored");
    QTest::newRow("stored in the diary") << true;
    QTest::newRow("typed by the user") << false;
}

void TestBaobao::futureBirthDateBecomesToday()
{
    QFETCH(bool, stored);
    setStoredBirth(stored ? QDate(2025, 5, 10) : QDate(2024, 1, 1));
    TfrmBaobao diary;
    diary.show();
    if (!stored) {
        QVERIFY(MessageBox::shown().isEmpty());
        diary.deBir->setText(QStringLiteral("2030-01-01"));
    }
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("出生日期不能晚于今天！")});
    QCOMPARE(diary.deBir->date(), QDate(2025, 5, 9));
    QCOMPARE(diary.lblYears->text(), QStringLiteral("距离今天已经 0 年 0 个月 0 天。"));
    QCOMPARE(diary.lblBir->text(), QStringLiteral("距离下一个生日还有 365 天。"));
    diary.close();
    QCOMPARE(storedBirth(), QStringList{QStringLiteral("1|2025-05-09")});
}

void TestBaobao::birthDateKeptOnEveryClose_data()
{
    QTest::addColumn<bool>("rowMissing");
    QTest::addColumn<QString>("typed"); // null: the edit is left as opened
    QTest::addColumn<CloseBy>("closeBy");
    QTest::addColumn<QString>("stored");

    QTest::newRow("unchanged, close box") << false << QString() << CloseBy::CloseBox << "1|2024-05-10";
    QTest::newRow("changed, close box") << false << "2023-12-31" << CloseBy::CloseBox << "1|2023-12-31";
    QTest::newRow("changed, Esc") << false << "2024-1-2" << CloseBy::Escape << "1|2024-01-02";
    QTest::newRow("changed, rejected") << false << "2024-02-29" << CloseBy::Reject << "1|2024-02-29";
    QTest::newRow("changed, accepted") << false << "2024-03-01" << CloseBy::Accept << "1|2024-03-01";
    QTest::newRow("emptied") << false << "" << CloseBy::CloseBox << "1|2024-05-10";
    QTest::newRow("no date") << false << "2024-13-01" << CloseBy::CloseBox << "1|2024-05-10";
    QTest::newRow("row missing, date typed") << true << "2024-03-03" << CloseBy::CloseBox << "1|2024-03-03";
    QTest::newRow("row missing, nothing typed") << true << QString() << CloseBy::CloseBox << "1|";
}

void TestBaobao::birthDateKeptOnEveryClose()
{
    QFETCH(bool, rowMissing);
    QFETCH(QString, typed);
    QFETCH(CloseBy, closeBy);
    QFETCH(QString, stored);
    setStoredBirth(QDate(2024, 5, 10));
    if (rowMissing) {
        dm->ExecSql(QStringLiteral("delete from param_baobao"));
    }
    TfrmBaobao diary;
    diary.show();
    QCOMPARE(diary.deBir->text(), rowMissing ? QString() : QStringLiteral("2024-05-10"));
    if (!typed.isNull()) {
        diary.deBir->setText(typed);
    }
    switch (closeBy) {
    case CloseBy::Reject:
        diary.reject();
        break;
    case CloseBy::Accept:
        diary.accept();
        break;
    case CloseBy::CloseBox:
        QVERIFY(diary.close());
        break;
    case CloseBy::Escape:
        QTest::keyClick(diary.deBir->lineEdit(), Qt::Key_Escape);
        break;
    }
    QVERIFY(!diary.isVisible());
    QCOMPARE(storedBirth(), QStringList{stored});
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestBaobao::databaseErrorOnCloseIsReported()
{
    TfrmBaobao diary;
    diary.show();
    dm->ExecSql(QStringLiteral("drop table param_baobao"));
    MessageBox::clearShown();
    diary.reject();
    QVERIFY(diary.isVisible());
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().kind, MessageBox::Error);
    QVERIFY2(MessageBox::shownTexts().first().contains(QStringLiteral("param_baobao")),
             qPrintable(MessageBox::shownTexts().first()));
}

void TestBaobao::buttonsOpenTheirBooks_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("table");
    QTest::newRow("身高") << "btnShengao"
                          << "宝宝身高"
                          << "bb_shengao";
    QTest::newRow("体重") << "btnTizhong"
                          << "宝宝体重"
                          << "bb_tizhong";
    QTest::newRow("记事") << "btnJishi"
                          << "宝宝记事"
                          << "bb_jishi";
    QTest::newRow("教育") << "btnJiaoyu"
                          << "宝宝教育"
                          << "bb_jiaoyu";
}

void TestBaobao::buttonsOpenTheirBooks()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, table);
    TfrmBaobao diary;
    diary.show();
    QString shownCaption;
    QString shownTable;
    QWidget* owner = nullptr;
    onNextModal([&](QWidget* modal) {
        auto* list = qobject_cast<TfrmBaseListFilter*>(modal);
        QVERIFY(list);
        shownCaption = list->windowTitle();
        shownTable = list->query().tableName();
        owner = list->parentWidget();
        list->reject();
    });
    diary.findChild<QPushButton*>(button)->click();
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownTable, table);
    QCOMPARE(owner, &diary);
    // Freed once closed.
    QVERIFY(diary.findChildren<TfrmBaseListFilter*>().isEmpty());
    QVERIFY(diary.isVisible());
}

void TestBaobao::listShowsItsColumns_data()
{
    QTest::addColumn<QString>("book");
    QTest::addColumn<QVariantMap>("row");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QString>("shown");

    const QVariantMap note{{"dt", QDate(2025, 5, 1)}, {"knd", "成长"}, {"title", "第一次翻身"}, {"remark", "备注"}};
    const QVariantMap measure{{"dt", QDate(2025, 5, 1)}, {"val", "68.5"}, {"remark", "备注"}};
    QTest::newRow("记事") << "jishi" << note << QStringList{"日期", "类型", "标题"} << "2025-05-01|成长|第一次翻身";
    QTest::newRow("教育") << "jiaoyu" << note << QStringList{"日期", "类型", "标题"} << "2025-05-01|成长|第一次翻身";
    QTest::newRow("身高") << "shengao" << measure << QStringList{"日期", "身高"} << "2025-05-01|68.5";
    QTest::newRow("体重") << "tizhong" << measure << QStringList{"日期", "体重"} << "2025-05-01|68.5";
}

void TestBaobao::listShowsItsColumns()
{
    QFETCH(QString, book);
    QFETCH(QVariantMap, row);
    QFETCH(QStringList, headers);
    QFETCH(QString, shown);
    m_ui->insertRow(tableOf(book), row);
    const std::unique_ptr<TfrmBaseListFilter> list = makeList(book);
    list->show();
    const QAbstractItemModel* model = list->cxGrid1->view()->model();
    QStringList shownHeaders;
    QStringList cells;
    for (int i = 0; i < model->columnCount(); ++i) {
        shownHeaders << model->headerData(i, Qt::Horizontal).toString();
        cells << model->data(model->index(0, i)).toString();
    }
    QCOMPARE(shownHeaders, headers);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(cells.join(QLatin1Char('|')), shown);
    QVERIFY(list->query().sql().endsWith(QStringLiteral(" order by dt desc")));
    QCOMPARE(list->WebBrowser1->url().toString(), dm->adBaobao);
}

void TestBaobao::badDaysParameterFallsBackTo180_data()
{
    QTest::addColumn<QString>("book");
    QTest::addColumn<QString>("message");
    const QString shared = QStringLiteral("“宝宝列表默认日期范围天数”格式错误，请重新设置。现在默认180天。");
    QTest::newRow("记事") << "jishi"
                          << QStringLiteral("“宝宝记事列表默认日期范围天数”格式错误，请重新设置。现在默认180天。");
    QTest::newRow("教育") << "jiaoyu" << shared;
    QTest::newRow("身高") << "shengao" << shared;
    QTest::newRow("体重") << "tizhong" << shared;
}

void TestBaobao::badDaysParameterFallsBackTo180()
{
    QFETCH(QString, book);
    QFETCH(QString, message);
    dm->ExecSql(QStringLiteral("update param set val = '半年' where param = 'DaysBaobao'"));
    dm->LoadParams();
    const std::unique_ptr<TfrmBaseListFilter> list = makeList(book);
    list->show();
    QCOMPARE(MessageBox::shownTexts(), QStringList{message});
    QCOMPARE(list->edtStart->date(), QDate(2024, 11, 10));
    QCOMPARE(list->edtEnd->date(), QDate(2025, 5, 9));
}

void TestBaobao::newRecordDefaultsAndSave_data()
{
    QTest::addColumn<QString>("book");
    QTest::addColumn<QString>("typeParameter"); // null: the default types
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("required"); // the required text the test fills in
    QTest::addColumn<QString>("stored");

    QTest::newRow("记事") << "jishi" << QString() << QStringList{"成长", "饮食", "睡眠", "生病", "趣事", "其他"}
                          << "2025-05-09|成长||"
                          << "title"
                          << "2025-05-09|成长|填好了|";
    QTest::newRow("教育") << "jiaoyu" << QString() << QStringList{"早教", "阅读", "音乐", "运动", "学校", "其他"}
                          << "2025-05-09|早教||"
                          << "title"
                          << "2025-05-09|早教|填好了|";
    // No types: one empty item, and the note saves without a type.
    QTest::newRow("记事, no types") << "jishi"
                                    << "" << QStringList{""} << "2025-05-09|||"
                                    << "title"
                                    << "2025-05-09||填好了|";
    QTest::newRow("教育, no types") << "jiaoyu"
                                    << "" << QStringList{""} << "2025-05-09|||"
                                    << "title"
                                    << "2025-05-09||填好了|";
    QTest::newRow("身高") << "shengao" << QString() << QStringList{} << "2025-05-09||"
                          << "val"
                          << "2025-05-09|75.5|";
    QTest::newRow("体重") << "tizhong" << QString() << QStringList{} << "2025-05-09||"
                          << "val"
                          << "2025-05-09|75.5|";
}

void TestBaobao::newRecordDefaultsAndSave()
{
    QFETCH(QString, book);
    QFETCH(QString, typeParameter);
    QFETCH(QStringList, types);
    QFETCH(QString, shown);
    QFETCH(QString, required);
    QFETCH(QString, stored);
    if (!typeParameter.isNull()) {
        Query query(dm->ADOConnection1());
        query.setSql(QStringLiteral("select * from param where param in ('LeixingBaobao', 'LeixingBaobaoJiaoyu')"));
        query.open();
        for (query.first(); !query.eof(); query.next()) {
            query.edit();
            query.setValue(QStringLiteral("val"), typeParameter);
            query.post();
        }
        dm->LoadParams();
    }
    const std::unique_ptr<TfrmBaseEdit> editor = makeEditor(book);
    editor->show();
    QCOMPARE(typeItems(editor.get()), types);
    QCOMPARE(shownTexts(editor.get()), shown);

    editor->findChild<QLineEdit*>(required)->setText(required == QLatin1String("val") ? QStringLiteral("75.5")
                                                                                      : QStringLiteral("填好了"));
    editor->btnSave->click();
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(editor->result(), int(QDialog::Accepted));
    QCOMPARE(queryRows(dm->ADOConnection1(),
                       QStringLiteral("select ") + storedColumns(book) + QStringLiteral(" from ") + tableOf(book)),
             QStringList{stored});
}

void TestBaobao::copyKeepsDateAndValues_data()
{
    QTest::addColumn<QString>("book");
    QTest::addColumn<QVariantMap>("row");
    QTest::addColumn<QString>("shown");

    // A type no longer listed stays as it was.
    const QVariantMap note{
        {"dt", QDate(2024, 1, 1)}, {"knd", "不在列表"}, {"title", "旧标题"}, {"remark", "第一行\n第二行"}};
    const QVariantMap measure{{"dt", QDate(2024, 1, 1)}, {"val", "60"}, {"remark", "在医院量的"}};
    QTest::newRow("记事") << "jishi" << note << "2024-01-01|不在列表|旧标题|第一行\n第二行";
    QTest::newRow("教育") << "jiaoyu" << note << "2024-01-01|不在列表|旧标题|第一行\n第二行";
    QTest::newRow("身高") << "shengao" << measure << "2024-01-01|60|在医院量的";
    QTest::newRow("体重") << "tizhong" << measure << "2024-01-01|60|在医院量的";
}

void TestBaobao::copyKeepsDateAndValues()
{
    QFETCH(QString, book);
    QFETCH(QVariantMap, row);
    QFETCH(QString, shown);
    m_ui->insertRow(tableOf(book), row);
    const std::unique_ptr<TfrmBaseEdit> editor = makeEditor(book);
    editor->RecordOid = QStringLiteral("1");
    editor->setCopyMode();
    editor->show();
    QCOMPARE(shownTexts(editor.get()), shown);
    editor->btnSave->click();
    QCOMPARE(editor->result(), int(QDialog::Accepted));
    QCOMPARE(queryRows(dm->ADOConnection1(), QStringLiteral("select oid, ") + storedColumns(book) +
                                                 QStringLiteral(" from ") + tableOf(book) +
                                                 QStringLiteral(" order by oid")),
             (QStringList{QStringLiteral("1|") + shown, QStringLiteral("2|") + shown}));
}

void TestBaobao::measureRefusesText_data()
{
    QTest::addColumn<QString>("book");
    QTest::addColumn<QString>("caption");
    QTest::newRow("身高") << "shengao"
                          << "身高";
    QTest::newRow("体重") << "tizhong"
                          << "体重";
}

void TestBaobao::measureRefusesText()
{
    QFETCH(QString, book);
    QFETCH(QString, caption);
    const std::unique_ptr<TfrmBaseEdit> editor = makeEditor(book);
    editor->show();
    auto* val = editor->findChild<QLineEdit*>(QStringLiteral("val"));
    editor->btnSave->click();
    QCOMPARE(MessageBox::shownTexts(), QStringList{caption + QStringLiteral("不能为空！")});

    val->setText(QStringLiteral("一米七"));
    editor->btnSave->click();
    QCOMPARE(MessageBox::shown().size(), 2);
    const QString refusal = MessageBox::shownTexts().last();
    QVERIFY2(refusal.contains(QStringLiteral("“") + caption + QStringLiteral("”")) &&
                 refusal.contains(QStringLiteral("一米七")),
             qPrintable(refusal));
    QVERIFY(editor->isVisible());
    QCOMPARE(val->text(), QStringLiteral("一米七"));
    QCOMPARE(queryRows(dm->ADOConnection1(), QStringLiteral("select * from ") + tableOf(book)), QStringList{});
}

QTEST_MAIN(TestBaobao)
#include "tst_baobao.moc"
