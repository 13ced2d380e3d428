#include "core/search/PinyinTable.h"
#include "core/search/SearchFold.h"
#include "core/search/SearchIndex.h"

#include <QTest>

// Finding rows by what their cells show: the text itself, folded, or the
// pinyin of its Chinese characters, whole or by initials.
class TestSearch : public QObject {
    Q_OBJECT

private:
    // Rows of cells; one search; the rows it finds.
    static QList<int> found(const QList<QStringList>& rows, const QString& typed)
    {
        SearchIndex index;
        const int columns = rows.isEmpty() ? 0 : int(rows.first().size());
        index.build(
            int(rows.size()), columns, [&](int row, int column) { return rows[row][column]; }, PinyinTable::instance());
        const std::vector<char> hits = index.match(typed);
        QList<int> result;
        for (size_t i = 0; i < hits.size(); ++i) {
            if (hits[i]) {
                result << int(i);
            }
        }
        return result;
    }

private Q_SLOTS:

    void readingsComeFromIcu_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("reading");
        QTest::newRow("李") << QStringLiteral("李") << QStringLiteral("li");
        QTest::newRow("明") << QStringLiteral("明") << QStringLiteral("ming");
        QTest::newRow("张, a long one") << QStringLiteral("张") << QStringLiteral("zhang");
        QTest::newRow("绿, ü without its dots") << QStringLiteral("绿") << QStringLiteral("lu");
        QTest::newRow("鑫, a name character") << QStringLiteral("鑫") << QStringLiteral("xin");
        QTest::newRow("a letter has none") << QStringLiteral("a") << QString();
        QTest::newRow("a full stop has none") << QStringLiteral("。") << QString();
    }

    void readingsComeFromIcu()
    {
        QFETCH(QString, character);
        QFETCH(QString, reading);
        QCOMPARE(QString::fromLatin1(PinyinTable::instance().reading(character.at(0).unicode())), reading);
    }

    void tableCoversTheCommonIdeographs()
    {
        // Each of the 20 992 unified ideographs of the main block but a few
        // has a reading in ICU.
        QVERIFY2(PinyinTable::instance().size() > 20000, qPrintable(QString::number(PinyinTable::instance().size())));
    }

    void foldsWidthAndCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::newRow("upper case") << QStringLiteral("Li Ming") << QStringLiteral("li ming");
        QTest::newRow("full-width letters") << QStringLiteral("ＬＭ") << QStringLiteral("lm");
        QTest::newRow("full-width digits") << QStringLiteral("１３８") << QStringLiteral("138");
        QTest::newRow("ideographic space") << QStringLiteral("李\u3000明") << QStringLiteral("李 明");
        QTest::newRow("control characters dropped") << QStringLiteral("a\tb\nc") << QStringLiteral("abc");
    }

    void foldsWidthAndCase()
    {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QCOMPARE(SearchFold::text(text), folded);
    }

    void pinyinForms()
    {
        SearchFold::Pinyin pinyin;
        QVERIFY(SearchFold::pinyin(SearchFold::text(QStringLiteral("李明 No.5")), PinyinTable::instance(), &pinyin));
        QCOMPARE(pinyin.initials, QByteArray("lmno5"));
        QCOMPARE(pinyin.full, QByteArray("limingno5"));
        QVERIFY(!SearchFold::pinyin(QStringLiteral("13800138000"), PinyinTable::instance(), &pinyin));
    }

    void findsRows_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("rows");
        // 0 李明, 1 张三 with an address, 2 an English name, 3 a phone number.
        QTest::newRow("the characters") << QStringLiteral("李明") << QList<int>{0};
        QTest::newRow("one character") << QStringLiteral("明") << QList<int>{0};
        QTest::newRow("initials") << QStringLiteral("lm") << QList<int>{0};
        QTest::newRow("initials in capitals") << QStringLiteral("LM") << QList<int>{0};
        QTest::newRow("full-width initials") << QStringLiteral("ｌｍ") << QList<int>{0};
        QTest::newRow("whole pinyin") << QStringLiteral("liming") << QList<int>{0};
        QTest::newRow("pinyin with a space") << QStringLiteral("li ming") << QList<int>{0};
        QTest::newRow("start of the pinyin") << QStringLiteral("limi") << QList<int>{0};
        QTest::newRow("initials in the wrong order") << QStringLiteral("ml") << QList<int>{};
        QTest::newRow("pinyin of another column") << QStringLiteral("bjl") << QList<int>{1};
        QTest::newRow("pinyin and digits together") << QStringLiteral("zs2") << QList<int>{1};
        QTest::newRow("plain text, any case") << QStringLiteral("SMITH") << QList<int>{2};
        QTest::newRow("text with a space") << QStringLiteral("john s") << QList<int>{2};
        QTest::newRow("digits") << QStringLiteral("0013") << QList<int>{3};
        QTest::newRow("full-width digits") << QStringLiteral("００１３") << QList<int>{3};
        QTest::newRow("no cell holds it") << QStringLiteral("zhaoliu") << QList<int>{};
        QTest::newRow("pinyin of the fourth name") << QStringLiteral("wangwu") << QList<int>{3};
        QTest::newRow("empty search lists all") << QString() << QList<int>{0, 1, 2, 3};
        QTest::newRow("blank search lists all") << QStringLiteral("  ") << QList<int>{0, 1, 2, 3};
    }

    void findsRows()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, rows);
        const QList<QStringList> table{
            {QStringLiteral("李明"), QStringLiteral("朋友"), QString()},
            {QStringLiteral("张三2"), QStringLiteral("同事"), QStringLiteral("北京路")},
            {QStringLiteral("John Smith"), QString(), QString()},
            {QStringLiteral("王五"), QString(), QStringLiteral("13800138000")},
        };
        QCOMPARE(found(table, typed), rows);
    }

    void aMatchStaysInsideOneCell()
    {
        // 李 | 明 in two columns: neither "李明" nor "lm" is in one cell.
        const QList<QStringList> table{{QStringLiteral("李"), QStringLiteral("明")}};
        QCOMPARE(found(table, QStringLiteral("李明")), QList<int>{});
        QCOMPARE(found(table, QStringLiteral("lm")), QList<int>{});
        QCOMPARE(found(table, QStringLiteral("li")), QList<int>{0});
    }

    void aMatchStartsOnACharacter()
    {
        // In memory x乎 is 78 00 4E 4E: the bytes of 一 (00 4E) straddle its two characters.
        const QList<QStringList> table{{QStringLiteral("x乎")}, {QStringLiteral("一")}};
        QCOMPARE(found(table, QStringLiteral("一")), QList<int>{1});
    }

    void everyMatchingRowOfMany()
    {
        QList<QStringList> table;
        QList<int> expected;
        for (int row = 0; row < 2000; ++row) {
            const bool li = row % 7 == 3;
            table << QStringList{li ? QStringLiteral("李%1").arg(row) : QStringLiteral("王%1").arg(row)};
            if (li) {
                expected << row;
            }
        }
        QCOMPARE(found(table, QStringLiteral("l")), expected);
        QCOMPARE(found(table, QStringLiteral("李")), expected);
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
