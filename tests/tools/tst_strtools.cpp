#include "core/data/Tdm.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "forms/WebView.h"
#include "mock/MockClock.h"
#include "mock/ModalDriver.h"
#include "mock/TestDatabase.h"
#include "tools/TfrmMoreChar.h"
#include "tools/TfrmStr.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

namespace {
QPoint windowPos(const QWidget* control, const QWidget* window)
{
    return control->mapTo(window, QPoint(0, 0));
}

QStringList texts(const QList<QPlainTextEdit*>& memos)
{
    QStringList result;
    for (const QPlainTextEdit* memo : memos) {
        result << memo->toPlainText();
    }
    return result;
}
} // namespace

class TestStrTools : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void decoratorShowsGreetingSymbolsAndBoxes();
    void stackedBoxesFollowTheWindowSize_data();
    void stackedBoxesFollowTheWindowSize();
    void generateFillsTheSevenBoxes_data();
    void generateFillsTheSevenBoxes();
    void generatingTwiceReplaces();
    void symbolButtonsSetTheSymbol();
    void copyButtonsFollowTheScreenOrder_data();
    void copyButtonsFollowTheScreenOrder();
    void nothingCarriesOverToTheNextOpening();

    void pickerLaysOutItsButtons();
    void pickingSetsTheSymbol_data();
    void pickingSetsTheSymbol();
    void closingThePickerKeepsTheSymbol();

private:
    std::unique_ptr<TestDatabase> m_db;
};

void TestStrTools::initTestCase()
{
    FontMapper::install();
}

void TestStrTools::init()
{
    MockClock::install(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    MessageBox::setTestMode(true);
    MessageBox::clearShown();
    m_db = std::make_unique<TestDatabase>();
    dm = new Tdm;
}

void TestStrTools::cleanup()
{
    cancelPendingModals();
    delete dm;
    dm = nullptr;
    m_db.reset();
    Clock::setInstance(nullptr);
}

void TestStrTools::decoratorShowsGreetingSymbolsAndBoxes()
{
    TfrmStr window;
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("字符串特效"));
    QVERIFY(window.windowState() & Qt::WindowMaximized);
    QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("btnClose")));
    QCOMPARE(window.Memo1->toPlainText().split(QLatin1Char('\n')),
             (QStringList{"请在这里输入或粘贴字符串！", "您还可以输入多行字符串！", "感谢Pelorin提供如此好用的工具！",
                          "Pelorin，我的生活好帮手！"}));
    QCOMPARE(window.Edit1->text(), QStringLiteral("★"));

    // The top panel: the input box, and the 162-pixel symbol panel at the right.
    QWidget* symbols = window.Edit1->parentWidget();
    QCOMPARE(symbols->width(), 162);
    QCOMPARE(symbols->parentWidget()->height(), 121);
    QCOMPARE(symbols->geometry().right(), window.width() - 1);
    QCOMPARE(window.Memo1->geometry().right() + 1, symbols->x());
    QCOMPARE(window.Memo1->height(), 121);
    QCOMPARE(window.Edit1->geometry(), QRect(56, 8, 41, 22));
    QCOMPARE(window.SpeedButton[13]->text(), QStringLiteral("更多..."));
    QCOMPARE(window.SpeedButton[13]->geometry(), QRect(96, 8, 57, 22));
    QStringList buttons;
    for (int i = 1; i <= 12; ++i) {
        QCOMPARE(window.SpeedButton[i]->size(), QSize(23, 22));
        buttons << window.SpeedButton[i]->text() + QLatin1Char('@') + QString::number(window.SpeedButton[i]->x()) +
                       QLatin1Char(',') + QString::number(window.SpeedButton[i]->y());
    }
    QCOMPARE(buttons, (QStringList{"★@8,32", "●@32,32", "♀@56,32", "■@80,32", "▲@104,32", "◆@128,32", "☆@8,56",
                                   "○@32,56", "♂@56,56", "□@80,56", "△@104,56", "◇@128,56"}));
    QCOMPARE(window.Button1->text(), QStringLiteral("生成"));
    QCOMPARE(window.Button1->geometry(), QRect(8, 88, 145, 25));
    QCOMPARE(window.Button1->cursor().shape(), Qt::PointingHandCursor);

    // Output area: Memo7 at the left edge, Memo6 beside it, the stack in the rest.
    QCOMPARE(windowPos(window.Memo7, &window).x(), 0);
    QCOMPARE(window.Memo7->width(), 132);
    QCOMPARE(windowPos(window.Memo6, &window).x(), 132);
    QCOMPARE(window.Memo6->width(), 132);
    QCOMPARE(windowPos(window.pnlStack, &window).x(), 264);
    QCOMPARE(window.pnlStack->geometry().right(), window.width() - 1);
    for (const QPlainTextEdit* memo : window.findChildren<QPlainTextEdit*>()) {
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    QStringList copies;
    for (int i = 1; i <= 7; ++i) {
        const QPushButton* button = window.btnCopy[i];
        QCOMPARE(button->size(), QSize(75, 23));
        QCOMPARE(button->font().pixelSize(), 14);
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        copies << button->text() + QLatin1Char('@') + QString::number(button->x());
    }
    QCOMPARE(copies,
             (QStringList{"复制1@0", "复制2@75", "复制3@150", "复制4@225", "复制5@300", "复制6@375", "复制7@450"}));
    QCOMPARE(window.btnCopy[1]->parentWidget()->height(), 23);
    QCOMPARE(window.WebBrowser1->parentWidget()->height(), 98);
    QCOMPARE(window.WebBrowser1->url(), QUrl(dm->adCommon));
    QVERIFY(window.WebBrowser1->url().path().endsWith(QStringLiteral("common/")));
    QVERIFY(windowPos(window.btnCopy[1], &window).y() > window.pnlStack->geometry().bottom());
    QCOMPARE(window.StatusBar1->geometry().bottom(), window.height() - 1);
}

void TestStrTools::stackedBoxesFollowTheWindowSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("as opened") << QSize();
    QTest::newRow("smaller") << QSize(700, 600);
    QTest::newRow("taller") << QSize(900, 1000);
}

void TestStrTools::stackedBoxesFollowTheWindowSize()
{
    QFETCH(QSize, size);
    TfrmStr window;
    window.show();
    if (size.isValid()) {
        window.setWindowState(Qt::WindowNoState);
        window.resize(size);
        QTRY_COMPARE(window.size(), size);
    }
    const int area = window.pnlStack->height();
    const int fifth = area / 5;
    QList<int> tops;
    for (const QPlainTextEdit* memo : {window.Memo2, window.Memo3, window.Memo4, window.Memo5}) {
        QCOMPARE(memo->height(), fifth);
        QCOMPARE(memo->width(), window.pnlStack->width());
        tops << memo->y();
    }
    QCOMPARE(tops, (QList<int>{0, fifth, 2 * fifth, 3 * fifth}));
    // Memo8 fills what is left.
    QCOMPARE(window.Memo8->y(), 4 * fifth);
    QCOMPARE(window.Memo8->geometry().bottom(), area - 1);
    QVERIFY(window.Memo8->height() >= fifth);
}

void TestStrTools::generateFillsTheSevenBoxes_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("symbol");
    // Memo2 to Memo8 in the order they are generated.
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("你好") << "你好"
                          << "★" << QStringList{"你★好★", "好★你★", "你你好好", "好好你你", "你\n好", "你\n好", "好你"};
    QTest::newRow("ABC and DE") << "ABC\nDE"
                                << "★" << QStringList{"A★B★C★\nD★E★", "C★B★A★\nE★D★", "AABBCC\nDDEE", "CCBBAA\nEEDD",
                                                      "DA\nEB\n  C",  "AD\nBE\nC  ",  "CBA\nED"};
    QTest::newRow("symbol of several characters")
        << "AB"
        << "~*~" << QStringList{"A~*~B~*~", "B~*~A~*~", "AABB", "BBAA", "A\nB", "A\nB", "BA"};
    QTest::newRow("empty symbol") << "AB"
                                  << "" << QStringList{"AB", "BA", "AABB", "BBAA", "A\nB", "A\nB", "BA"};
    QTest::newRow("lines of 3, 0 and 2") << "ABC\n\nDE"
                                         << "●"
                                         << QStringList{"A●B●C●\n\nD●E●", "C●B●A●\n\nE●D●",    "AABBCC\n\nDDEE",
                                                        "CCBBAA\n\nEEDD", "D  A\nE  B\n    C", "A  D\nB  E\nC    ",
                                                        "CBA\n\nED"};
    QTest::newRow("outside the basic plane")
        << "𠀀好"
        << "★" << QStringList{"𠀀★好★", "好★𠀀★", "𠀀𠀀好好", "好好𠀀𠀀", "𠀀\n好", "𠀀\n好", "好𠀀"};
    QTest::newRow("only empty lines") << "\n\n"
                                      << "★" << QStringList{"\n", "\n", "\n", "\n", "", "", "\n"};
    QTest::newRow("no input") << ""
                              << "★" << QStringList{"", "", "", "", "", "", ""};
}

void TestStrTools::generateFillsTheSevenBoxes()
{
    QFETCH(QString, input);
    QFETCH(QString, symbol);
    QFETCH(QStringList, expected);
    TfrmStr window;
    window.show();
    window.Memo1->setPlainText(input);
    window.Edit1->setText(symbol);
    window.Button1->click();
    QCOMPARE(texts({window.Memo2, window.Memo3, window.Memo4, window.Memo5, window.Memo6, window.Memo7, window.Memo8}),
             expected);
}

void TestStrTools::generatingTwiceReplaces()
{
    TfrmStr window;
    window.show();
    window.Memo1->setPlainText(QStringLiteral("ABC\nDE"));
    window.Button1->click();
    const QList<QPlainTextEdit*> outputs{window.Memo2, window.Memo3, window.Memo4, window.Memo5,
                                         window.Memo6, window.Memo7, window.Memo8};
    const QStringList first = texts(outputs);
    // Hand edits in the boxes are replaced too.
    window.Memo5->appendPlainText(QStringLiteral("手写"));
    window.Memo6->clear();
    window.Button1->click();
    QCOMPARE(texts(outputs), first);
    // A fresh symbol counts from the next click.
    window.Edit1->setText(QStringLiteral("~"));
    QCOMPARE(window.Memo2->toPlainText(), QStringLiteral("A★B★C★\nD★E★"));
    window.Button1->click();
    QCOMPARE(window.Memo2->toPlainText(), QStringLiteral("A~B~C~\nD~E~"));
}

void TestStrTools::symbolButtonsSetTheSymbol()
{
    TfrmStr window;
    window.show();
    window.Edit1->setText(QStringLiteral("typed"));
    for (int i = 1; i <= 12; ++i) {
        window.SpeedButton[i]->click();
        QCOMPARE(window.Edit1->text(), window.SpeedButton[i]->text());
    }
    QCOMPARE(window.Edit1->text(), QStringLiteral("◇"));
}

void TestStrTools::copyButtonsFollowTheScreenOrder_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("memo");
    QTest::newRow("复制1") << 1 << "Memo7";
    QTest::newRow("复制2") << 2 << "Memo6";
    QTest::newRow("复制3") << 3 << "Memo2";
    QTest::newRow("复制4") << 4 << "Memo3";
    QTest::newRow("复制5") << 5 << "Memo4";
    QTest::newRow("复制6") << 6 << "Memo5";
    QTest::newRow("复制7") << 7 << "Memo8";
}

void TestStrTools::copyButtonsFollowTheScreenOrder()
{
    QFETCH(int, button);
    QFETCH(QString, memo);
    TfrmStr window;
    window.show();
    window.Memo1->setPlainText(QStringLiteral("ABC\nDE"));
    window.Button1->click();
    auto* source = window.findChild<QPlainTextEdit*>(memo);
    QVERIFY(source);
    QApplication::clipboard()->clear();
    window.btnCopy[button]->click();
    QCOMPARE(QApplication::clipboard()->text(), source->toPlainText());
    QVERIFY(!source->toPlainText().isEmpty());
    QCOMPARE(source->textCursor().selectedText().size(), source->toPlainText().size());
}

void TestStrTools::nothingCarriesOverToTheNextOpening()
{
    {
        TfrmStr window;
        window.show();
        window.Memo1->setPlainText(QStringLiteral("xyz"));
        window.Edit1->setText(QStringLiteral("#"));
        window.Button1->click();
        window.close();
    }
    TfrmStr again;
    again.show();
    QCOMPARE(again.Edit1->text(), QStringLiteral("★"));
    QVERIFY(again.Memo1->toPlainText().startsWith(QStringLiteral("请在这里输入或粘贴字符串！")));
    QCOMPARE(again.Memo2->toPlainText(), QString());
}

void TestStrTools::pickerLaysOutItsButtons()
{
    TfrmStr owner;
    owner.show();
    TfrmMoreChar picker(&owner);
    picker.show();
    QCOMPARE(picker.windowTitle(), QStringLiteral("特殊字符"));
    QCOMPARE(picker.size(), QSize(857, 497));
    QCOMPARE(picker.font().pixelSize(), 16);
    QVERIFY(!(picker.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(picker.windowFlags() & Qt::WindowCloseButtonHint);
    const QList<QToolButton*> buttons = picker.buttons();
    QCOMPARE(buttons.size(), 287);
    for (int i = 0; i < buttons.size(); ++i) {
        QCOMPARE(buttons[i]->geometry(), QRect(8 + 32 * (i % 26), 8 + 32 * (i / 26), 23, 22));
    }
    QCOMPARE(buttons.first()->text(), QStringLiteral("←"));
    QCOMPARE(buttons[25]->pos(), QPoint(808, 8));
    QCOMPARE(buttons[26]->pos(), QPoint(8, 40));
    QCOMPARE(buttons.last()->text(), QStringLiteral("？"));
    QCOMPARE(buttons.last()->pos(), QPoint(8, 360));
    // Shown again, it keeps its one set of buttons.
    picker.hide();
    picker.show();
    QCOMPARE(picker.findChildren<QToolButton*>().size(), 287);
}

void TestStrTools::pickingSetsTheSymbol_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("symbol");
    QTest::newRow("first button") << 0 << "←";
    QTest::newRow("first straight quote") << 284 << "\"";
    QTest::newRow("second straight quote") << 285 << "\"";
    QTest::newRow("ampersand") << 223 << "&";
    QTest::newRow("last button") << 286 << "？";
}

void TestStrTools::pickingSetsTheSymbol()
{
    QFETCH(int, index);
    QFETCH(QString, symbol);
    TfrmStr window;
    window.show();
    bool picked = false;
    onNextModal([&](QWidget* modal) {
        auto* picker = qobject_cast<TfrmMoreChar*>(modal);
        QVERIFY(picker);
        QCOMPARE(picker->parentWidget(), &window);
        QTest::mouseClick(picker->buttons()[index], Qt::LeftButton);
        picked = true;
    });
    window.SpeedButton[13]->click();
    QVERIFY(picked);
    QCOMPARE(window.Edit1->text(), symbol);
    QVERIFY(!window.findChild<TfrmMoreChar*>());
    window.Memo1->setPlainText(QStringLiteral("AB"));
    window.Button1->click();
    QCOMPARE(window.Memo2->toPlainText(), QStringLiteral("A") + symbol + QStringLiteral("B") + symbol);
}

void TestStrTools::closingThePickerKeepsTheSymbol()
{
    TfrmStr window;
    window.show();
    window.Edit1->setText(QStringLiteral("~*~"));
    bool closed = false;
    onNextModal([&](QWidget* modal) {
        QVERIFY(qobject_cast<TfrmMoreChar*>(modal));
        modal->close();
        closed = true;
    });
    window.SpeedButton[13]->click();
    QVERIFY(closed);
    QCOMPARE(window.Edit1->text(), QStringLiteral("~*~"));
}

QTEST_MAIN(TestStrTools)
#include "tst_strtools.moc"
