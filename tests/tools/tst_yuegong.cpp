#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/FileDialog.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "forms/WebView.h"
#include "mock/MockClock.h"
#include "mock/ModalDriver.h"
#include "mock/QueryRows.h"
#include "mock/TestDatabase.h"
#include "mock/WorkbookReader.h"
#include "tools/CalcPopup.h"
#include "tools/RepaymentModel.h"
#include "tools/TMcxcalcEdit.h"
#include "tools/TfrmHuankuan.h"
#include "tools/TfrmYueGong.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

namespace {
enum class CloseBy { CloseButton, Escape, CloseBox };

// Every cell of the first sheet, row by row, "a|b|c"; numbers with two decimals.
QStringList readWorkbook(const QString& path)
{
    return readFirstSheet(path, [](const FreeXL_CellValue& cell) -> QString {
        switch (cell.type) {
        case FREEXL_CELL_INT:
            return QString::number(cell.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return QString::number(cell.value.double_value, 'f', 2);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            return QString::fromUtf8(cell.value.text_value);
        default:
            return QString();
        }
    });
}

QPoint windowPos(const QWidget* control, const QWidget* window)
{
    return control->mapTo(window, QPoint(0, 0));
}

// The seven inputs as "jine|lilv|LilvZhekou|nian|Yujichengjiao|Yujipinggu|shoufu".
QString inputs(const TfrmYueGong& window)
{
    QStringList texts;
    for (const TMcxcalcEdit* box : {window.edtJine, window.edtLilv, window.edtLilvZhekou, window.edtNian,
                                    window.edtYujichengjiao, window.edtYujipinggu, window.edtShoufu}) {
        texts << box->text();
    }
    return texts.join(QLatin1Char('|'));
}

void setInputs(TfrmYueGong& window, const QString& joined)
{
    const QStringList texts = joined.split(QLatin1Char('|'));
    const QList<TMcxcalcEdit*> boxes{window.edtJine,  window.edtLilv,          window.edtLilvZhekou,
                                     window.edtNian,  window.edtYujichengjiao, window.edtYujipinggu,
                                     window.edtShoufu};
    for (int i = 0; i < boxes.size(); ++i) {
        boxes[i]->setText(texts[i]);
    }
}
} // namespace

Q_DECLARE_METATYPE(CloseBy)

class TestYueGong : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void calculatorPlacesItsBoxesAndButtons();
    void designValuesGiveTheExpectedPayment();
    void eachPressAddsOneLineAndClearEmpties();
    void copyPutsTheWholeListOnTheClipboard();
    void badInputGetsAMessage_data();
    void badInputGetsAMessage();
    void estimateFillsTheLoanAmount();
    void estimateRefusesText();
    void inputsKeptOnEveryClose_data();
    void inputsKeptOnEveryClose();
    void missingRowWrittenAnew();
    void halfTypedNumberKeepsTheStoredValue();

    void numberBoxTakesOnlyNumbers();
    void dropDownCalculatorPutsItsResult();
    void dropDownCalculatorCancelled();

    void scheduleShowsBothMethods();
    void scheduleRefusedForBadInputs_data();
    void scheduleRefusedForBadInputs();
    void scheduleExportsBothMethods();
    void scheduleExportToABadFolder();

private:
    QString storedRow();
    std::unique_ptr<TestDatabase> m_db;
};

void TestYueGong::initTestCase()
{
    FontMapper::install();
}

void TestYueGong::init()
{
    MockClock::install(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    MessageBox::setTestMode(true);
    MessageBox::clearShown();
    m_db = std::make_unique<TestDatabase>();
    dm = new Tdm;
}

void TestYueGong::cleanup()
{
    cancelPendingModals();
    delete dm;
    dm = nullptr;
    m_db.reset();
    Clock::setInstance(nullptr);
}

QString TestYueGong::storedRow()
{
    return queryRows(dm->ADOConnection1(), QStringLiteral("select oid, jine, lilv, LilvZhekou, nian, Yujichengjiao, "
                                                          "Yujipinggu, shoufu from param_yuegong"))
        .join(QLatin1Char('/'));
}

void TestYueGong::calculatorPlacesItsBoxesAndButtons()
{
    TfrmYueGong window;
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("月供测算"));
    QVERIFY(window.windowState() & Qt::WindowMaximized);
    QCOMPARE(window.btnClose->text(), QStringLiteral("关闭"));
    QCOMPARE(window.pnlTool->geometry().top(), 0);

    QStringList boxes;
    for (const QWidget* box : {static_cast<QWidget*>(window.edtJine), static_cast<QWidget*>(window.edtLilv),
                               static_cast<QWidget*>(window.edtLilvZhekou), static_cast<QWidget*>(window.edtNian),
                               static_cast<QWidget*>(window.edtYuegong)}) {
        QCOMPARE(box->width(), 121);
        boxes << box->objectName() + QLatin1Char('@') + QString::number(box->x()) + QLatin1Char(',') +
                     QString::number(box->y());
    }
    QCOMPARE(boxes, (QStringList{"edtJine@8,40", "edtLilv@136,40", "edtLilvZhekou@264,40", "edtNian@392,40",
                                 "edtYuegong@600,40"}));
    QCOMPARE(window.btnJisuan->x(), 520);
    QCOMPARE(window.btnClear->x(), 728);
    QCOMPARE(window.btnCopy->x(), 808);
    for (const QPushButton* button : {window.btnJisuan, window.btnClear, window.btnCopy}) {
        QCOMPARE(button->size(), QSize(75, 25));
    }
    QCOMPARE(window.btnJisuan->text(), QStringLiteral("计算"));
    QCOMPARE(window.btnPlan->text(), QStringLiteral("还款计划"));

    // Captions above their boxes, y = 16.
    QStringList captions;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->y() == 16) {
            captions << label->text() + QLatin1Char('@') + QString::number(label->x());
        }
    }
    captions.sort();
    QStringList expected{"贷款金额(万元)@8",     "基准利率@136",         "利率折扣@264",         "贷款年限(年)@392",
                         "月供金额(元)@600",     "预计成交价(万元)@104", "预计评估价(万元)@248", "首付比例(成)@392",
                         "可贷款金额(万元)@600", "首付金额(万元)@744"};
    expected.sort();
    QCOMPARE(captions, expected);

    const QColor green(192, 220, 192);
    for (const QWidget* result : {static_cast<QWidget*>(window.edtYuegong), static_cast<QWidget*>(window.edtKedai),
                                  static_cast<QWidget*>(window.edtShoufujine), static_cast<QWidget*>(window.memList)}) {
        QCOMPARE(result->palette().color(QPalette::Base), green);
    }
    QVERIFY(window.edtYuegong->isReadOnly() && window.edtKedai->isReadOnly() && window.edtShoufujine->isReadOnly());
    QVERIFY(window.memList->isReadOnly());
    QCOMPARE(windowPos(window.edtYujichengjiao, &window).x(), 104);
    QCOMPARE(window.edtKedai->x(), 600);
    QCOMPARE(window.edtShoufujine->x(), 744);
    QCOMPARE(window.lblErshou->text(), QStringLiteral("二手房贷\n金额估算"));
    QCOMPARE(window.lblErshou->font().pixelSize(), 21);
    QCOMPARE(window.lblErshou->palette().color(QPalette::WindowText), QColor(Qt::blue));

    // Top to bottom: tool panel, payment panel (80), list, estimate (74), ad (98), status bar.
    QCOMPARE(window.edtJine->parentWidget()->height(), 80);
    QCOMPARE(window.edtShoufu->parentWidget()->height(), 74);
    QCOMPARE(window.WebBrowser1->parentWidget()->height(), 98);
    QVERIFY(window.memList->geometry().top() >= window.edtJine->parentWidget()->geometry().bottom());
    QVERIFY(window.memList->geometry().bottom() <= window.edtShoufu->parentWidget()->geometry().top());
    QCOMPARE(window.StatusBar1->geometry().bottom(), window.height() - 1);
    QCOMPARE(window.WebBrowser1->url(), QUrl(dm->adDaikuan));
    QVERIFY(window.WebBrowser1->url().path().endsWith(QStringLiteral("daikuan/")));
}

void TestYueGong::designValuesGiveTheExpectedPayment()
{
    TfrmYueGong window;
    window.show();
    QCOMPARE(inputs(window), QStringLiteral("50|6.55|0.8|20|90|80|3"));
    window.btnJisuan->click();
    QCOMPARE(window.edtYuegong->text(), QStringLiteral("3366.43"));
    QCOMPARE(window.memList->toPlainText(),
             QStringLiteral("贷款金额：50万元\t基准利率：6.55\t利率折扣：0.8\t贷款年限：20年\t月供金额：3366.43元"));
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestYueGong::eachPressAddsOneLineAndClearEmpties()
{
    TfrmYueGong window;
    window.show();
    window.btnJisuan->click();
    setInputs(window, QStringLiteral("100|4.9|1|30|90|80|3"));
    window.btnJisuan->click();
    // The texts as typed, not reformatted.
    setInputs(window, QStringLiteral("100.0|4.90|1|1.5|90|80|3"));
    window.btnJisuan->click();
    QCOMPARE(window.memList->toPlainText().split(QLatin1Char('\n')),
             (QStringList{"贷款金额：50万元\t基准利率：6.55\t利率折扣：0.8\t贷款年限：20年\t月供金额：3366.43元",
                          "贷款金额：100万元\t基准利率：4.9\t利率折扣：1\t贷款年限：30年\t月供金额：5307.27元",
                          "贷款金额：100.0万元\t基准利率：4.90\t利率折扣：1\t贷款年限：1.5年\t月供金额：57735.53元"}));
    window.btnClear->click();
    QCOMPARE(window.memList->toPlainText(), QString());
    QCOMPARE(window.edtYuegong->text(), QStringLiteral("57735.53"));
}

void TestYueGong::copyPutsTheWholeListOnTheClipboard()
{
    TfrmYueGong window;
    window.show();
    window.btnJisuan->click();
    window.edtJine->setText(QStringLiteral("100"));
    window.btnJisuan->click();
    QApplication::clipboard()->clear();
    window.btnCopy->click();
    QCOMPARE(QApplication::clipboard()->text(), window.memList->toPlainText());
    QCOMPARE(QApplication::clipboard()->text().count(QLatin1Char('\n')), 1);
    // The whole list is selected, as the user sees it copied.
    QCOMPARE(window.memList->textCursor().selectedText().size(), window.memList->toPlainText().size());
}

void TestYueGong::badInputGetsAMessage_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("message");
    QTest::newRow("half a year") << "50|6.55|0.8|0.5|90|80|3"
                                 << "贷款年限不能小于1年！";
    QTest::newRow("term not a number") << "50|6.55|0.8|-|90|80|3"
                                       << "贷款年限不能小于1年！";
    QTest::newRow("term empty") << "50|6.55|0.8||90|80|3"
                                << "贷款年限不能小于1年！";
    QTest::newRow("amount not a number") << "50.1.|6.55|0.8|20|90|80|3"
                                         << "“贷款金额(万元)”不是有效的数字！";
    QTest::newRow("rate empty") << "50||0.8|20|90|80|3"
                                << "“基准利率”不是有效的数字！";
    QTest::newRow("discount not a number") << "50|6.55|.|20|90|80|3"
                                           << "“利率折扣”不是有效的数字！";
    QTest::newRow("rate that never repays") << "50|-1300|1|20|90|80|3"
                                            << "利率无效，无法计算月供！";
}

void TestYueGong::badInputGetsAMessage()
{
    QFETCH(QString, values);
    QFETCH(QString, message);
    TfrmYueGong window;
    window.show();
    window.btnJisuan->click();
    const QString before = window.memList->toPlainText();
    setInputs(window, values);
    window.btnJisuan->click();
    QCOMPARE(MessageBox::shownTexts(), QStringList{message});
    // Nothing computed or appended.
    QCOMPARE(window.edtYuegong->text(), QStringLiteral("3366.43"));
    QCOMPARE(window.memList->toPlainText(), before);
}

void TestYueGong::estimateFillsTheLoanAmount()
{
    TfrmYueGong window;
    window.show();
    window.btnGusuan->click();
    QCOMPARE(window.edtKedai->text(), QStringLiteral("56.00"));
    QCOMPARE(window.edtShoufujine->text(), QStringLiteral("34.00"));
    QCOMPARE(window.edtJine->text(), QStringLiteral("56.00"));
    window.btnJisuan->click();
    QVERIFY(window.memList->toPlainText().startsWith(QStringLiteral("贷款金额：56.00万元\t")));
    QCOMPARE(window.edtYuegong->text(), QStringLiteral("3770.40"));
}

void TestYueGong::estimateRefusesText()
{
    TfrmYueGong window;
    window.show();
    window.edtYujipinggu->setText(QStringLiteral("八十"));
    window.btnGusuan->click();
    QCOMPARE(MessageBox::shownTexts(), QStringList{"“预计评估价(万元)”不是有效的数字！"});
    QCOMPARE(window.edtKedai->text(), QString());
    QCOMPARE(window.edtJine->text(), QStringLiteral("50"));
}

void TestYueGong::inputsKeptOnEveryClose_data()
{
    QTest::addColumn<CloseBy>("closeBy");
    QTest::newRow("关闭") << CloseBy::CloseButton;
    QTest::newRow("Esc") << CloseBy::Escape;
    QTest::newRow("close box") << CloseBy::CloseBox;
}

void TestYueGong::inputsKeptOnEveryClose()
{
    QFETCH(CloseBy, closeBy);
    {
        TfrmYueGong window;
        window.show();
        window.btnJisuan->click();
        setInputs(window, QStringLiteral("120.5|4.9|0.85|25|300|280|3.5"));
        window.btnGusuan->click();
        switch (closeBy) {
        case CloseBy::CloseButton:
            window.btnClose->click();
            break;
        case CloseBy::Escape:
            QTest::keyClick(&window, Qt::Key_Escape);
            break;
        case CloseBy::CloseBox:
            window.close();
            break;
        }
        QVERIFY(!window.isVisible());
    }
    QCOMPARE(storedRow(), QStringLiteral("1|182|4.9|0.85|25|300|280|3.5"));
    TfrmYueGong again;
    again.show();
    QCOMPARE(inputs(again), QStringLiteral("182|4.9|0.85|25|300|280|3.5"));
    // Results and the list are not kept.
    QCOMPARE(again.memList->toPlainText(), QString());
    QCOMPARE(again.edtYuegong->text(), QString());
    QCOMPARE(again.edtKedai->text(), QString());
}

void TestYueGong::missingRowWrittenAnew()
{
    dm->ExecSql(QStringLiteral("delete from param_yuegong"));
    {
        TfrmYueGong window;
        window.show();
        QCOMPARE(inputs(window), QStringLiteral("||||||"));
        window.edtJine->setText(QStringLiteral("30"));
        window.edtNian->setText(QStringLiteral("10"));
        window.reject();
    }
    QCOMPARE(storedRow(), QStringLiteral("1|30|||10|||"));
}

void TestYueGong::halfTypedNumberKeepsTheStoredValue()
{
    {
        TfrmYueGong window;
        window.show();
        window.edtLilv->setText(QStringLiteral("-"));
        window.edtShoufu->clear();
        window.reject();
    }
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(storedRow(), QStringLiteral("1|50|6.55|0.8|20|90|80|"));
}

void TestYueGong::numberBoxTakesOnlyNumbers()
{
    TfrmYueGong window;
    window.show();
    window.edtJine->clear();
    window.edtJine->setFocus();
    QTest::keyClicks(window.edtJine, QStringLiteral("1a2.5.x6"));
    QCOMPARE(window.edtJine->text(), QStringLiteral("12.56"));
    window.edtJine->clear();
    QTest::keyClicks(window.edtJine, QStringLiteral("-3"));
    QCOMPARE(window.edtJine->text(), QStringLiteral("-3"));
}

void TestYueGong::dropDownCalculatorPutsItsResult()
{
    TfrmYueGong window;
    window.show();
    window.edtJine->dropDownAction()->trigger();
    CalcPopup* popup = window.edtJine->popup();
    QVERIFY(popup);
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->display()->text(), QStringLiteral("50"));
    for (const char* key : {"×", "1", "2", "=", "−", "5", "0", "÷", "2"}) {
        popup->key(QString::fromUtf8(key))->click();
    }
    QCOMPARE(popup->display()->text(), QStringLiteral("2"));
    popup->key(QStringLiteral("OK"))->click();
    QCOMPARE(window.edtJine->text(), QStringLiteral("275"));
    QTRY_VERIFY(!window.edtJine->popup());

    // The keyboard opens it too, and a division by zero puts nothing in the box.
    window.edtLilv->setFocus();
    QTest::keyClick(window.edtLilv, Qt::Key_Down, Qt::AltModifier);
    popup = window.edtLilv->popup();
    QVERIFY(popup);
    QTest::keyClicks(popup, QStringLiteral("7/0"));
    QTest::keyClick(popup, Qt::Key_Return);
    QCOMPARE(popup->display()->text(), QStringLiteral("错误"));
    QVERIFY(window.edtLilv->popup());
    QCOMPARE(window.edtLilv->text(), QStringLiteral("6.55"));
    popup->key(QStringLiteral("C"))->click();
    QTest::keyClicks(popup, QStringLiteral("4.9"));
    QTest::keyClick(popup, Qt::Key_Enter);
    QCOMPARE(window.edtLilv->text(), QStringLiteral("4.9"));
}

void TestYueGong::dropDownCalculatorCancelled()
{
    TfrmYueGong window;
    window.show();
    window.edtNian->setFocus();
    QTest::keyClick(window.edtNian, Qt::Key_F4);
    CalcPopup* popup = window.edtNian->popup();
    QVERIFY(popup);
    QTest::keyClicks(popup, QStringLiteral("+10"));
    QTest::keyClick(popup, Qt::Key_Escape);
    QTRY_VERIFY(!window.edtNian->popup());
    QCOMPARE(window.edtNian->text(), QStringLiteral("20"));
    // Esc closed only the calculator, not the window.
    QVERIFY(window.isVisible());
}

void TestYueGong::scheduleShowsBothMethods()
{
    TfrmYueGong window;
    window.show();
    bool seen = false;
    onNextModal([&](QWidget* modal) {
        auto* plan = qobject_cast<TfrmHuankuan*>(modal);
        QVERIFY(plan);
        seen = true;
        QCOMPARE(plan->windowTitle(), QStringLiteral("还款计划"));
        QCOMPARE(plan->lblLoan->text(), QStringLiteral("贷款金额：500000.00元　年利率：5.24%　共240期"));
        QCOMPARE(plan->lblBenxi->text(),
                 QStringLiteral("每月还款：3366.43元\n总利息：307942.49元　还款总额：807942.49元"));
        QCOMPARE(plan->lblBenjin->text(), QStringLiteral("首月还款：4266.66元　末月还款：2092.44元\n"
                                                         "总利息：263091.73元　还款总额：763091.73元"));
        QAbstractItemModelTester benxiTester(plan->gridBenxi->model(),
                                             QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester benjinTester(plan->gridBenjin->model(),
                                              QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto row = [](const QAbstractItemModel* model, int r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c) {
                cells << model->data(model->index(r, c)).toString();
            }
            return cells.join(QLatin1Char('|'));
        };
        const QAbstractItemModel* benxi = plan->gridBenxi->model();
        const QAbstractItemModel* benjin = plan->gridBenjin->model();
        QCOMPARE(benxi->rowCount(), 241);
        QCOMPARE(benxi->headerData(4, Qt::Horizontal).toString(), QStringLiteral("剩余本金(元)"));
        QCOMPARE(row(benxi, 0), QStringLiteral("1|3366.43|1183.10|2183.33|498816.90"));
        QCOMPARE(row(benxi, 239), QStringLiteral("240|3365.72|3351.09|14.63|0.00"));
        QCOMPARE(row(benxi, 240), QStringLiteral("合计|807942.49|500000.00|307942.49|"));
        QCOMPARE(row(benjin, 0), QStringLiteral("1|4266.66|2083.33|2183.33|497916.67"));
        QCOMPARE(row(benjin, 240), QStringLiteral("合计|763091.73|500000.00|263091.73|"));
        QVERIFY(plan->gridBenxi->mapTo(plan, QPoint()).x() < plan->gridBenjin->mapTo(plan, QPoint()).x());
        plan->reject();
    });
    window.btnPlan->click();
    QVERIFY(seen);
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestYueGong::scheduleRefusedForBadInputs_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("message");
    QTest::newRow("half a year") << "50|6.55|0.8|0.5|90|80|3"
                                 << "贷款年限不能小于1年！";
    QTest::newRow("rate not a number") << "50|x|0.8|20|90|80|3"
                                       << "“基准利率”不是有效的数字！";
    QTest::newRow("nothing borrowed") << "0|6.55|0.8|20|90|80|3"
                                      << "贷款金额必须大于0！";
    QTest::newRow("negative discount") << "50|6.55|-1|20|90|80|3"
                                       << "利率不能小于0！";
    QTest::newRow("past a hundred years") << "50|6.55|0.8|150|90|80|3"
                                          << "还款计划最多列出1200期（100年）！";
}

void TestYueGong::scheduleRefusedForBadInputs()
{
    QFETCH(QString, values);
    QFETCH(QString, message);
    TfrmYueGong window;
    window.show();
    setInputs(window, values);
    bool opened = false;
    onNextModal([&](QWidget* modal) {
        opened = true;
        modal->close();
    });
    window.btnPlan->click();
    QCOMPARE(MessageBox::shownTexts(), QStringList{message});
    QVERIFY(!opened);
}

void TestYueGong::scheduleExportsBothMethods()
{
    TfrmHuankuan plan(1.0001, 0.06, 3);
    plan.show();
    const QString path = m_db->folder() + QStringLiteral("/plan.xls");
    FileDialog::setNextFileName(path);
    plan.btnToExcel->click();
    QCOMPARE(FileDialog::lastProposedPath(), QStringLiteral("还款计划_Pelorin.xls"));
    QVERIFY(MessageBox::shown().isEmpty());
    const QStringList rows = readWorkbook(path);
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[0], QStringLiteral("期数|等额本息月供(元)|等额本息本金(元)|等额本息利息(元)|等额本息剩余本金(元)|"
                                     "等额本金月供(元)|等额本金本金(元)|等额本金利息(元)|等额本金剩余本金(元)"));
    // 10001 yuan at 0.5 % a month; 10001 / 3 leaves fen to share out.
    QCOMPARE(rows[1], QStringLiteral("1|3367.06|3317.05|50.01|6683.95|3383.67|3333.66|50.01|6667.34"));
    QCOMPARE(rows[2], QStringLiteral("2|3367.06|3333.64|33.42|3350.31|3367.01|3333.67|33.34|3333.67"));
    QCOMPARE(rows[3], QStringLiteral("3|3367.06|3350.31|16.75|0|3350.34|3333.67|16.67|0"));
    QCOMPARE(rows[4], QStringLiteral("合计|10101.18|10001|100.18||10101.02|10001|100.02|"));
}

void TestYueGong::scheduleExportToABadFolder()
{
    TfrmHuankuan plan(50, 0.0524, 240);
    plan.show();
    FileDialog::setNextFileName(m_db->folder() + QStringLiteral("/no/such/folder/plan.xls"));
    plan.btnToExcel->click();
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().kind, MessageBox::Error);
    QVERIFY(MessageBox::shown().first().text.contains(QStringLiteral("plan.xls")));
    // Cancelling the dialog writes nothing and says nothing.
    MessageBox::clearShown();
    FileDialog::setNextFileName(QString());
    plan.btnToExcel->click();
    QVERIFY(MessageBox::shown().isEmpty());
}

QTEST_MAIN(TestYueGong)
#include "tst_yuegong.moc"
