#include "app/TfrmMain.h"
#include "books/TfrmBeiwang.h"
#include "books/TfrmBeiwangEdit.h"
#include "books/TfrmIncome.h"
#include "books/TfrmIncomeEdit.h"
#include "books/TfrmJiankang.h"
#include "books/TfrmJishi.h"
#include "books/TfrmJishiEdit.h"
#include "books/TfrmMyUrl.h"
#include "books/TfrmMyUrlEdit.h"
#include "books/TfrmParam.h"
#include "books/TfrmParamEdit.h"
#include "books/TfrmSpend.h"
#include "books/TfrmSpendEdit.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "core/data/TextFile.h"
#include "forms/DataGrid.h"
#include "forms/FileDialog.h"
#include "forms/GridFooter.h"
#include "forms/MessageBox.h"
#include "forms/TMcxComboBox.h"
#include "forms/TMcxDateEdit.h"
#include "forms/TMcxTextEdit.h"
#include "forms/WebView.h"
#include "mock/QueryRows.h"
#include "mock/UiFixture.h"
#include "tools/ScreenCapture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <optional>

// What each record book adds to the framework: defaults, parameters and their
// messages, the income and spending footer, the link page and the parameters'
// reload.
class TestBooks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void listsFallBackWithTheirMessage_data();
    void listsFallBackWithTheirMessage();
    void newNoteDefaultsAndRequiredOrder();
    void copiedNoteKeepsItsValues();
    void newLedgerEntryDefaults();
    void ledgerKeepsEditorCaptionsAndRefusesBadAmounts();
    void ledgerFooterFollowsTheFilter();
    void ledgerExportsWithItsRange();
    void memoListAndEditor();
    void linkPageIsWrittenOncePerOpening();
    void linkPageEscapesMarkup();
    void linkBarReloadsAfterTheLinksWindow();
    void parametersEditOneValue();
    void parametersReloadAfterTheWindowCloses();
    void healthOpensFromTheMenu();
    void babyDiaryOpensFromTheMenu();
    void ledgerFooterSaysWhenTheSumIsPastTheRange();
    void ledgerFooterShowsLargeSumsWhole();
    void editorsFocusTheirFirstControl_data();
    void editorsFocusTheirFirstControl();
    void textWithNulIsRefused();
    void listsWithoutAGroupStripShowNoGroupTip();

private:
    std::optional<UiFixture> m_ui;
};

void TestBooks::init()
{
    m_ui.emplace(QDateTime(QDate(2026, 12, 11), QTime(10, 0)));
}

void TestBooks::cleanup()
{
    m_ui.reset();
}

void TestBooks::listsFallBackWithTheirMessage_data()
{
    QTest::addColumn<QString>("book");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QDate>("start");
    QTest::newRow("notes, seven days") << "notes"
                                       << "DaysJishi"
                                       << "7"
                                       << "" << QDate(2026, 12, 4);
    QTest::newRow("notes, letters") << "notes"
                                    << "DaysJishi"
                                    << "abc"
                                    << "“记事列表默认日期范围天数”格式错误，请重新设置。现在默认30天。"
                                    << QDate(2026, 11, 11);
    QTest::newRow("income, letters") << "income"
                                     << "DaysShouru"
                                     << "abc"
                                     << "“收入列表默认日期范围天数”格式错误，请重新设置。现在默认180天。"
                                     << QDate(2026, 6, 14);
    QTest::newRow("spending, empty") << "spending"
                                     << "DaysZhichu"
                                     << ""
                                     << "“支出列表默认日期范围天数”格式错误，请重新设置。现在默认30天。"
                                     << QDate(2026, 11, 11);
    QTest::newRow("income, zero") << "income"
                                  << "DaysShouru"
                                  << "0"
                                  << "" << QDate(2026, 12, 11);
    QTest::newRow("income, past the calendar")
        << "income"
        << "DaysShouru"
        << "99999999"
        << "“收入列表默认日期范围天数”格式错误，请重新设置。现在默认180天。" << QDate(2026, 6, 14);
    QTest::newRow("spending, into year 10000")
        << "spending"
        << "DaysZhichu"
        << "-3000000"
        << "“支出列表默认日期范围天数”格式错误，请重新设置。现在默认30天。" << QDate(2026, 11, 11);
    QTest::newRow("health, fraction") << "health"
                                      << "DaysJiankang"
                                      << "1.5"
                                      << "“健康档案列表默认日期范围天数”格式错误，请重新设置。现在默认180天。"
                                      << QDate(2026, 6, 14);
}

void TestBooks::listsFallBackWithTheirMessage()
{
    QFETCH(QString, book);
    QFETCH(QString, parameter);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(QDate, start);
    dm->ExecSql(QStringLiteral("update param set val = '%1' where param = '%2'").arg(value, parameter));
    dm->LoadParams();
    std::unique_ptr<TfrmBaseListFilter> list;
    if (book == QLatin1String("notes")) {
        list = std::make_unique<TfrmJishi>();
    } else if (book == QLatin1String("income")) {
        list = std::make_unique<TfrmIncome>();
    } else if (book == QLatin1String("spending")) {
        list = std::make_unique<TfrmSpend>();
    } else {
        list = std::make_unique<TfrmJiankang>();
    }
    list->show();
    QCOMPARE(MessageBox::shownTexts(), message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(list->edtStart->date(), start);
    QCOMPARE(list->edtEnd->date(), QDate(2026, 12, 11));
}

void TestBooks::newNoteDefaultsAndRequiredOrder()
{
    dm->ExecSql(QStringLiteral("update param set val = '待办 已办' where param = 'Leixingjishi'"));
    dm->ExecSql(QStringLiteral("update param set val = '未完成 完成' where param = 'Leixingjishista'"));
    dm->LoadParams();
    TfrmJishiEdit editor;
    editor.show();
    QCOMPARE(editor.dt->date(), QDate(2026, 12, 11));
    QCOMPARE(editor.leixing->currentText(), QStringLiteral("待办"));
    QCOMPARE(editor.status->currentText(), QStringLiteral("未完成"));
    editor.dt->clear();
    editor.btnSave->click();
    editor.dt->setDate(QDate(2026, 12, 1));
    editor.btnSave->click();
    QCOMPARE(MessageBox::shownTexts(), (QStringList{"日期不能为空！", "记事不能为空！"}));
    editor.jishi->setText(QStringLiteral("抄电表：1234度"));
    editor.status->setEditText(QStringLiteral("自己写的状态"));
    editor.btnSave->click();
    QCOMPARE(queryRows(dm->ADOConnection1(), QStringLiteral("select dt, leixing, status, jishi from Jishi")),
             QStringList{QStringLiteral("2026-12-01|待办|自己写的状态|抄电表：1234度")});
}

void TestBooks::copiedNoteKeepsItsValues()
{
    m_ui->insertRow(QStringLiteral("Jishi"),
                    {{"dt", "2026-10-02"}, {"leixing", "里程碑"}, {"status", "完成"}, {"jishi", "孩子会走路了"}});
    TfrmJishi list;
    list.edtStart->clear();
    list.show();
    list.edtStart->clear();
    list.btnFilter->click();
    QCOMPARE(list.query().rowCount(), 1);
    onNextModal([](QWidget* modal) {
        auto* editor = static_cast<TfrmJishiEdit*>(modal);
        QCOMPARE(editor->windowTitle(), QStringLiteral("复制新增"));
        QCOMPARE(editor->dt->date(), QDate(2026, 10, 2));
        QCOMPARE(editor->leixing->currentText(), QStringLiteral("里程碑"));
        QCOMPARE(editor->status->currentText(), QStringLiteral("完成"));
        editor->btnSave->click();
    });
    Q_EMIT list.cxGrid1->rowDoubleClicked();
    QCOMPARE(queryRows(dm->ADOConnection1(), QStringLiteral("select dt, leixing, status, jishi from Jishi")),
             (QStringList{"2026-10-02|里程碑|完成|孩子会走路了", "2026-10-02|里程碑|完成|孩子会走路了"}));
}

void TestBooks::newLedgerEntryDefaults()
{
    dm->ExecSql(QStringLiteral("update param set val = '工资 奖金 其他' where param = 'LeixingShouru'"));
    dm->ExecSql(QStringLiteral("update param set val = '' where param = 'LeixingZhichu'"));
    dm->LoadParams();
    TfrmIncomeEdit income;
    income.show();
    QCOMPARE(income.dt->date(), QDate(2026, 12, 11));
    QCOMPARE(income.leixing->currentText(), QStringLiteral("工资"));
    QCOMPARE(income.leixing->count(), 3);
    QCOMPARE(income.ren->currentText(), QStringLiteral("我"));

    TfrmSpendEdit spending;
    spending.show();
    QCOMPARE(spending.leixing->count(), 1);
    QCOMPARE(spending.leixing->currentText(), QString());
}

void TestBooks::ledgerKeepsEditorCaptionsAndRefusesBadAmounts()
{
    TfrmSpend list;
    list.show();
    QString caption;
    onNextModal([&](QWidget* modal) {
        auto* editor = static_cast<TfrmSpendEdit*>(modal);
        caption = editor->windowTitle();
        editor->miaoshu->setText(QStringLiteral("买菜"));
        editor->btnSave->click();
        editor->jine->setText(QStringLiteral("十二元"));
        editor->btnSave->click();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->jine->text(), QStringLiteral("十二元"));
        editor->jine->setText(QStringLiteral("12.5"));
        editor->btnSave->click();
    });
    list.btnNew->click();
    QCOMPARE(caption, QStringLiteral("支出编辑"));
    QCOMPARE(MessageBox::shownTexts().first(), QStringLiteral("金额不能为空！"));
    QVERIFY(MessageBox::shownTexts().at(1).contains(QStringLiteral("金额")));
    QVERIFY(MessageBox::shownTexts().at(1).contains(QStringLiteral("十二元")));
    QCOMPARE(queryRows(dm->ADOConnection1(), QStringLiteral("select miaoshu, jine from Spend")),
             QStringList{QStringLiteral("买菜|12.50")});
    QCOMPARE(list.query().rowCount(), 1);

    onNextModal([&](QWidget* modal) {
        caption = modal->windowTitle();
        static_cast<QDialog*>(modal)->reject();
    });
    list.btnEdit->click();
    QCOMPARE(caption, QStringLiteral("支出编辑"));
}

void TestBooks::ledgerFooterFollowsTheFilter()
{
    for (const char* day : {"2026-12-01", "2026-12-05", "2026-12-10"}) {
        m_ui->insertRow(QStringLiteral("Spend"), {{"dt", QString::fromLatin1(day)}, {"jine", "0.1"}});
    }
    m_ui->insertRow(QStringLiteral("Spend"), {{"dt", "2026-01-01"}, {"jine", "1000"}});
    TfrmSpend list;
    list.show();
    QCOMPARE(list.footer->text(1), QStringLiteral("3 条"));
    QCOMPARE(list.footer->text(4), QStringLiteral("0.30"));
    const QAbstractItemModel* grid = list.cxGrid1->view()->model();
    QCOMPARE(grid->index(0, 4).data().toString(), QStringLiteral("0.10"));
    QCOMPARE(grid->index(0, 4).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(grid->index(0, 1).data(Qt::TextAlignmentRole), QVariant());
    list.edtStart->setDate(QDate(2026, 1, 1));
    list.btnFilter->click();
    QCOMPARE(list.footer->text(1), QStringLiteral("4 条"));
    QCOMPARE(list.footer->text(4), QStringLiteral("1000.30"));
    list.edtStart->setDate(QDate(2027, 1, 1));
    list.btnFilter->click();
    QCOMPARE(list.footer->text(1), QStringLiteral("0 条"));
    QCOMPARE(list.footer->text(4), QStringLiteral("0.00"));
}

void TestBooks::ledgerExportsWithItsRange()
{
    m_ui->insertRow(QStringLiteral("Income"), {{"dt", "2026-12-10"}, {"leixing", "工资"}, {"jine", "8000"}});
    TfrmIncome list;
    list.show();
    QTemporaryDir dir;
    FileDialog::setNextFileName(dir.filePath(QStringLiteral("income.xls")));
    list.btnToExcel->click();
    QCOMPARE(FileDialog::lastProposedPath(), QStringLiteral("收入(2026-06-14~2026-12-11)_Pelorin.xls"));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("income.xls"))).size() > 0);
}

void TestBooks::memoListAndEditor()
{
    m_ui->insertRow(QStringLiteral("Beiwang"), {{"title", "路由器密码"}, {"remark", "admin / 12345"}});
    TfrmBeiwang list;
    list.show();
    QVERIFY(!list.cxGrid1->isGroupByBoxVisible());
    QCOMPARE(list.query().asText(QStringLiteral("title")), QStringLiteral("路由器密码"));
    onNextModal([](QWidget* modal) {
        auto* editor = static_cast<TfrmBeiwangEdit*>(modal);
        editor->btnSave->click();
        QCOMPARE(editor->focusWidget(), editor->title);
        editor->title->setText(QStringLiteral("没有编号的备忘"));
        editor->btnSave->click();
    });
    list.btnNew->click();
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("标题不能为空！")});
    QCOMPARE(list.query().rowCount(), 2);
    FileDialog::setNextFileName(QString());
    list.btnToExcel->click();
    QCOMPARE(FileDialog::lastProposedPath(), QStringLiteral("备忘录_Pelorin.xls"));
}

void TestBooks::linkPageIsWrittenOncePerOpening()
{
    const QString page = TfrmMyUrl::pagePath();
    {
        TfrmMyUrl list;
        list.show();
        list.reject();
    }
    QCOMPARE(TextFile::read(page).value(),
             QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n"
                            "<style>a:active {color: #000000}a:hover {color: #000000}a:link {color: #000000}"
                            "a:visited {color: #000000}</style>\n"
                            "<body style=\"margin:10px; font-size:12px;\">\n</body>"));
    m_ui->insertRow(QStringLiteral("MyUrl"), {{"title", "新浪"}, {"url", "https://www.sina.com.cn/"}, {"ord", "2"}});
    m_ui->insertRow(QStringLiteral("MyUrl"), {{"title", "百度"}, {"url", "https://www.baidu.com/"}, {"ord", "1"}});
    TfrmMyUrl list;
    list.show();
    QTest::keyClick(&list, Qt::Key_Escape);
    const QStringList lines = TextFile::read(page).value().split(QLatin1Char('\n'));
    QCOMPARE(lines.mid(3), (QStringList{"<a href=\"https://www.baidu.com/\" target=\"_blank\">百度</a>",
                                        "<a href=\"https://www.sina.com.cn/\" target=\"_blank\">新浪</a>", "</body>"}));
    QFile bytes(page);
    QVERIFY(bytes.open(QIODevice::ReadOnly));
    QVERIFY(bytes.readAll().endsWith("</body>\r\n"));
    // Written once: closing again later does not write it again.
    QFile::remove(page);
    list.close();
    QVERIFY(!QFile::exists(page));
}

void TestBooks::linkPageEscapesMarkup()
{
    m_ui->insertRow(QStringLiteral("MyUrl"), {{"title", "<script>alert(1)</script> & \"引号\""},
                                              {"url", "https://example.org/?a=1&b=\"x\"><b>"}});
    TfrmMyUrl list;
    list.show();
    list.reject();
    const QStringList lines = TextFile::read(TfrmMyUrl::pagePath()).value().split(QLatin1Char('\n'));
    QCOMPARE(lines.at(3), QStringLiteral("<a href=\"https://example.org/?a=1&amp;b=&quot;x&quot;&gt;&lt;b&gt;\" "
                                         "target=\"_blank\">&lt;script&gt;alert(1)&lt;/script&gt; &amp; "
                                         "&quot;引号&quot;</a>"));
}

void TestBooks::linkBarReloadsAfterTheLinksWindow()
{
    TfrmMain main;
    main.show();
    QVERIFY(main.WebBrowser2->showsErrorPage());
    m_ui->insertRow(QStringLiteral("MyUrl"), {{"title", "网易"}, {"url", "https://www.163.com/"}});
    QString status;
    onNextModal([&](QWidget* modal) {
        status = static_cast<TfrmMyUrl*>(modal)->statusText();
        static_cast<QDialog*>(modal)->reject();
    });
    main.findChild<QPushButton*>(QStringLiteral("McxButton5"))->click();
    QCOMPARE(status, QStringLiteral("设置我的自定义网址。"));
    QVERIFY(!main.WebBrowser2->showsErrorPage());
    QCOMPARE(main.WebBrowser2->toPlainText().trimmed(), QStringLiteral("网易"));
}

void TestBooks::parametersEditOneValue()
{
    TfrmParam list;
    list.show();
    QVERIFY(!list.btnNew->isVisibleTo(&list));
    QVERIFY(!list.btnCopyNew->isVisibleTo(&list));
    QVERIFY(!list.btnDelete->isVisibleTo(&list));
    QCOMPARE(list.query().asText(QStringLiteral("remark")), QStringLiteral("收入类型"));
    const QString fifty = QString(50, QChar(0x6587));
    onNextModal([&](QWidget* modal) {
        auto* editor = static_cast<TfrmParamEdit*>(modal);
        QCOMPARE(editor->windowTitle(), QStringLiteral("收入类型"));
        QCOMPARE(editor->Label1->text(), QStringLiteral("收入类型"));
        QCOMPARE(editor->VAL->text(), QStringLiteral("工资 奖金 理财 兼职 其他"));
        editor->VAL->setText(fifty + QLatin1Char('x'));
        editor->btnSave->click();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->VAL->text(), fifty + QLatin1Char('x'));
        editor->VAL->setText(fifty);
        editor->btnSave->click();
    });
    Q_EMIT list.cxGrid1->rowDoubleClicked();
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY(MessageBox::shownTexts().first().contains(QStringLiteral("50")));
    QCOMPARE(dm->ReadParam(QStringLiteral("LeixingShouru")), fifty);
}

void TestBooks::parametersReloadAfterTheWindowCloses()
{
    TfrmMain main;
    main.show();
    QVERIFY(!main.screenCapture->TimerJieping->isActive());
    onNextModal([](QWidget* modal) {
        // Changed behind the editor's back, as another window would: the reload must read the table.
        dm->ExecSql(QStringLiteral("update param set val = '30' where param = 'jiepingpinlv'"));
        dm->ExecSql(QStringLiteral("update param set val = '亲戚 邻居' where param = 'Leixingdianhua'"));
        static_cast<QDialog*>(modal)->reject();
    });
    main.findChild<QPushButton*>(QStringLiteral("cxButton4"))->click();
    QCOMPARE(dm->Leixingdianhua, QStringLiteral("亲戚 邻居"));
    QVERIFY(main.screenCapture->TimerJieping->isActive());
    QCOMPARE(main.screenCapture->TimerJieping->interval(), 30000);
}

void TestBooks::healthOpensFromTheMenu()
{
    TfrmMain main;
    main.show();
    QString caption;
    QString status = QStringLiteral("unset");
    onNextModal([&](QWidget* modal) {
        auto* list = static_cast<TfrmJiankang*>(modal);
        caption = list->windowTitle();
        status = list->statusText();
        list->reject();
    });
    main.findChild<QAction*>(QStringLiteral("N10"))->trigger();
    QCOMPARE(caption, QStringLiteral("健康档案"));
    QCOMPARE(status, QString());
}

void TestBooks::babyDiaryOpensFromTheMenu()
{
    TfrmMain main;
    main.show();
    QString caption;
    onNextModal([&](QWidget* modal) {
        caption = modal->windowTitle();
        static_cast<QDialog*>(modal)->reject();
    });
    main.findChild<QAction*>(QStringLiteral("N11"))->trigger();
    QCOMPARE(caption, QStringLiteral("宝宝成长日记"));
}

void TestBooks::ledgerFooterSaysWhenTheSumIsPastTheRange()
{
    m_ui->insertRow(QStringLiteral("Income"), {{"dt", "2026-12-10"}, {"jine", "500000000000000"}});
    m_ui->insertRow(QStringLiteral("Income"), {{"dt", "2026-12-11"}, {"jine", "500000000000000"}});
    TfrmIncome list;
    list.show();
    QCOMPARE(list.footer->text(1), QStringLiteral("2 条"));
    QCOMPARE(list.footer->text(4), QStringLiteral("合计超出范围"));
}

void TestBooks::ledgerFooterShowsLargeSumsWhole()
{
    m_ui->insertRow(QStringLiteral("Income"), {{"dt", "2026-12-10"}, {"jine", "200000001234555.0357"}});
    TfrmIncome list;
    list.resize(1000, 600);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const auto* label = list.footer->findChild<QLabel*>(QStringLiteral("footer4"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("200000001234555.0357"));
    QVERIFY2(label->contentsRect().width() >= label->fontMetrics().horizontalAdvance(label->text()),
             qPrintable(QString::number(label->width())));
    QVERIFY(label->geometry().left() >= 0);
    QVERIFY(label->geometry().right() < list.footer->width());
}

void TestBooks::editorsFocusTheirFirstControl_data()
{
    QTest::addColumn<QString>("book");
    QTest::addColumn<QString>("control");
    QTest::newRow("note") << "notes"
                          << "dt";
    QTest::newRow("income") << "income"
                            << "dt";
    QTest::newRow("memo") << "memo"
                          << "title";
    QTest::newRow("link") << "link"
                          << "title";
}

void TestBooks::editorsFocusTheirFirstControl()
{
    QFETCH(QString, book);
    QFETCH(QString, control);
    std::unique_ptr<TfrmBaseEdit> editor;
    if (book == QLatin1String("notes")) {
        editor = std::make_unique<TfrmJishiEdit>();
    } else if (book == QLatin1String("income")) {
        editor = std::make_unique<TfrmIncomeEdit>();
    } else if (book == QLatin1String("memo")) {
        editor = std::make_unique<TfrmBeiwangEdit>();
    } else {
        editor = std::make_unique<TfrmMyUrlEdit>();
    }
    editor->show();
    QWidget* focused = editor->focusWidget();
    QVERIFY(focused);
    // A date edit takes the focus in its text part.
    while (focused && (focused->objectName().isEmpty() || focused->objectName().startsWith(QLatin1String("qt_")))) {
        focused = focused->parentWidget();
    }
    QVERIFY(focused);
    QCOMPARE(focused->objectName(), control);
}

void TestBooks::textWithNulIsRefused()
{
    TfrmBeiwangEdit editor;
    editor.show();
    editor.title->setText(QStringLiteral("路由器") + QChar(0) + QStringLiteral("密码"));
    editor.btnSave->click();
    QCOMPARE(MessageBox::shownTexts(),
             QStringList{QStringLiteral("“标题”不能保存为“路由器\u2400密码”：含有空字符（NUL），请删去后再保存。")});
    QCOMPARE(editor.result(), int(QDialog::Rejected));
    QCOMPARE(queryRows(dm->ADOConnection1(), QStringLiteral("select title from Beiwang")), QStringList{});
    // Nothing the user typed is lost.
    QCOMPARE(editor.title->text().size(), 6);
}

void TestBooks::listsWithoutAGroupStripShowNoGroupTip()
{
    const std::vector<std::unique_ptr<TfrmBaseList>> lists = [] {
        std::vector<std::unique_ptr<TfrmBaseList>> made;
        made.push_back(std::make_unique<TfrmBeiwang>());
        made.push_back(std::make_unique<TfrmMyUrl>());
        made.push_back(std::make_unique<TfrmParam>());
        made.push_back(std::make_unique<TfrmIncome>());
        return made;
    }();
    for (const auto& list : lists) {
        list->show();
        QVERIFY(!list->cxGrid1->isGroupByBoxVisible());
        const QString page = list->WebBrowser1->toPlainText();
        QVERIFY2(!page.isEmpty(), qPrintable(list->windowTitle()));
        QVERIFY2(!page.contains(QStringLiteral("分组")), qPrintable(list->windowTitle() + page));
        list->close();
    }
}

QTEST_MAIN(TestBooks)
#include "tst_books.moc"
