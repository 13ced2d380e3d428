#include "core/tools/SymbolTable.h"
#include "core/tools/StrDecorator.h"

#include <QTest>

class TestStrDecorator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void linesOf_data();
    void linesOf();
    void variants_data();
    void variants();
    void vertical_data();
    void vertical();
    void charTable();
};

void TestStrDecorator::linesOf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("no text") << "" << QStringList{};
    QTest::newRow("one line") << "ABC" << QStringList{"ABC"};
    QTest::newRow("final break") << "ABC\n" << QStringList{"ABC"};
    QTest::newRow("empty line between") << "ABC\n\nDE" << QStringList{"ABC", "", "DE"};
    QTest::newRow("lone break") << "\n" << QStringList{""};
    QTest::newRow("CR LF") << "AB\r\nC\r\n" << QStringList{"AB", "C"};
}

void TestStrDecorator::linesOf()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(StrDecorator::linesOf(text), lines);
}

// The five one-line-per-line variants, in the order of their boxes.
void TestStrDecorator::variants_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QStringList>("withSymbol");
    QTest::addColumn<QStringList>("reversedWithSymbol");
    QTest::addColumn<QStringList>("doubled");
    QTest::addColumn<QStringList>("reversedDoubled");
    QTest::addColumn<QStringList>("reversed");
    QTest::newRow("ABC") << QStringList{"ABC"} << "★" << QStringList{"A★B★C★"} << QStringList{"C★B★A★"}
                         << QStringList{"AABBCC"} << QStringList{"CCBBAA"} << QStringList{"CBA"};
    QTest::newRow("你好") << QStringList{"你好"} << "★" << QStringList{"你★好★"} << QStringList{"好★你★"}
                          << QStringList{"你你好好"} << QStringList{"好好你你"} << QStringList{"好你"};
    QTest::newRow("symbol of several characters")
        << QStringList{"AB"} << "~*~" << QStringList{"A~*~B~*~"} << QStringList{"B~*~A~*~"} << QStringList{"AABB"}
        << QStringList{"BBAA"} << QStringList{"BA"};
    QTest::newRow("empty symbol") << QStringList{"你好A"} << "" << QStringList{"你好A"} << QStringList{"A好你"}
                                  << QStringList{"你你好好AA"} << QStringList{"AA好好你你"} << QStringList{"A好你"};
    QTest::newRow("empty line kept") << QStringList{"AB", "", "C"} << "●" << QStringList{"A●B●", "", "C●"}
                                     << QStringList{"B●A●", "", "C●"} << QStringList{"AABB", "", "CC"}
                                     << QStringList{"BBAA", "", "CC"} << QStringList{"BA", "", "C"};
    // A pair of UTF-16 units is one character: never split, never turned round.
    QTest::newRow("outside the basic plane")
        << QStringList{"𠀀好"} << "★" << QStringList{"𠀀★好★"} << QStringList{"好★𠀀★"} << QStringList{"𠀀𠀀好好"}
        << QStringList{"好好𠀀𠀀"} << QStringList{"好𠀀"};
    QTest::newRow("symbol outside the basic plane")
        << QStringList{"AB"} << "😀" << QStringList{"A😀B😀"} << QStringList{"B😀A😀"} << QStringList{"AABB"}
        << QStringList{"BBAA"} << QStringList{"BA"};
    QTest::newRow("no lines") << QStringList{} << "★" << QStringList{} << QStringList{} << QStringList{}
                              << QStringList{} << QStringList{};
}

void TestStrDecorator::variants()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, symbol);
    QTEST(StrDecorator::withSymbol(lines, symbol), "withSymbol");
    QTEST(StrDecorator::reversedWithSymbol(lines, symbol), "reversedWithSymbol");
    QTEST(StrDecorator::doubled(lines), "doubled");
    QTEST(StrDecorator::reversedDoubled(lines), "reversedDoubled");
    QTEST(StrDecorator::reversed(lines), "reversed");
}

void TestStrDecorator::vertical_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("leftToRight");
    QTest::addColumn<QStringList>("rightToLeft");
    QTest::newRow("ABC and DE") << QStringList{"ABC", "DE"} << QStringList{"AD", "BE", "C  "}
                                << QStringList{"DA", "EB", "  C"};
    QTest::newRow("lines of 3, 0 and 2") << QStringList{"ABC", "", "DE"} << QStringList{"A  D", "B  E", "C    "}
                                         << QStringList{"D  A", "E  B", "    C"};
    QTest::newRow("Chinese") << QStringList{"床前明月光", "疑是地上霜"}
                             << QStringList{"床疑", "前是", "明地", "月上", "光霜"}
                             << QStringList{"疑床", "是前", "地明", "上月", "霜光"};
    QTest::newRow("outside the basic plane")
        << QStringList{"𠀀𠀁", "A"} << QStringList{"𠀀A", "𠀁  "} << QStringList{"A𠀀", "  𠀁"};
    QTest::newRow("only empty lines") << QStringList{"", ""} << QStringList{} << QStringList{};
    QTest::newRow("no lines") << QStringList{} << QStringList{} << QStringList{};
}

void TestStrDecorator::vertical()
{
    QFETCH(QStringList, lines);
    QTEST(StrDecorator::verticalLeftToRight(lines), "leftToRight");
    QTEST(StrDecorator::verticalRightToLeft(lines), "rightToLeft");
}

void TestStrDecorator::charTable()
{
    const QStringList table = SymbolTable::table();
    QCOMPARE(table.size(), 287);
    for (const QString& character : table) {
        QCOMPARE(character.size(), 1);
    }
    QCOMPARE(table.mid(0, 8).join(QString()), QStringLiteral("←↑→↓↖↗↘↙"));
    QCOMPARE(table[8], QStringLiteral("∈"));
    QCOMPARE(table[45], QStringLiteral("⌒"));
    QCOMPARE(table.mid(46, 10).join(QString()), QStringLiteral("①②③④⑤⑥⑦⑧⑨⑩"));
    QCOMPARE(table.mid(56, 10).join(QString()), QStringLiteral("⑴⑵⑶⑷⑸⑹⑺⑻⑼⑽"));
    QCOMPARE(table[66], QStringLiteral("▔"));
    QCOMPARE(table[90], QStringLiteral("℉"));
    QCOMPARE(table.mid(91, 26).join(QString()), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    QCOMPARE(table.mid(117, 26).join(QString()), QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    QCOMPARE(table[143], QStringLiteral("Ａ"));
    QCOMPARE(table[194], QStringLiteral("ｚ"));
    const QString keys = QStringLiteral("`1234567890-=[];'\\,./~!@#$%^&*()_+{}:\"|<>?");
    QCOMPARE(table.mid(195, 42).join(QString()), keys);
    QCOMPARE(table.mid(237, 42).join(QString()),
             QStringLiteral("｀１２３４５６７８９０－＝［］；＇＼，．／～！＠＃＄％＾＆＊（）＿＋｛｝：＂｜＜＞？"));
    QCOMPARE(table.mid(279).join(QString()), QStringLiteral("【】《》：\"\"？"));
    QCOMPARE(table.last(), QString(QChar(0xFF1F)));
}

QTEST_APPLESS_MAIN(TestStrDecorator)
#include "tst_strdecorator.moc"
