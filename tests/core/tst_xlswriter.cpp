#include "core/xls/XlsWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <freexl.h>

namespace {
// A workbook as freexl, a reader written by others, sees it. Cells come back as "type:value" text.
class FreeXlBook {
public:
    explicit FreeXlBook(const QString& path) { m_status = freexl_open(QFile::encodeName(path).constData(), &m_handle); }

    ~FreeXlBook()
    {
        if (m_handle != nullptr) {
            freexl_close(m_handle);
        }
    }

    FreeXlBook(const FreeXlBook&) = delete;
    FreeXlBook& operator=(const FreeXlBook&) = delete;

    int status() const { return m_status; }

    unsigned info(unsigned short what) const
    {
        unsigned value = 0;
        freexl_get_info(m_handle, what, &value);
        return value;
    }

    QString sheetName(unsigned short index) const
    {
        const char* name = nullptr;
        freexl_get_worksheet_name(m_handle, index, &name);
        return QString::fromUtf8(name);
    }

    // Makes sheet index the one cells are read from; returns its rows and columns as "rows×columns".
    QString select(unsigned short index)
    {
        if (freexl_select_active_worksheet(m_handle, index) != FREEXL_OK) {
            return QStringLiteral("no sheet");
        }
        unsigned rows = 0;
        unsigned short columns = 0;
        freexl_worksheet_dimensions(m_handle, &rows, &columns);
        return QStringLiteral("%1×%2").arg(rows).arg(columns);
    }

    QString cell(unsigned row, unsigned short column) const
    {
        FreeXL_CellValue value;
        const int result = freexl_get_cell_value(m_handle, row, column, &value);
        if (result != FREEXL_OK) {
            return QStringLiteral("error:%1").arg(result);
        }
        switch (value.type) {
        case FREEXL_CELL_NULL:
            return QStringLiteral("null");
        case FREEXL_CELL_INT:
            return QStringLiteral("int:%1").arg(value.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return QStringLiteral("double:") + QString::number(value.value.double_value, 'g', 17);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            return QStringLiteral("text:") + QString::fromUtf8(value.value.text_value);
        case FREEXL_CELL_DATE:
            return QStringLiteral("date:") + QString::fromUtf8(value.value.text_value);
        case FREEXL_CELL_DATETIME:
            return QStringLiteral("datetime:") + QString::fromUtf8(value.value.text_value);
        case FREEXL_CELL_TIME:
            return QStringLiteral("time:") + QString::fromUtf8(value.value.text_value);
        default:
            return QStringLiteral("type:%1").arg(value.type);
        }
    }

private:
    const void* m_handle = nullptr;
    int m_status = FREEXL_UNKNOWN;
};

// How freexl reports the values these tests feed in: texts, whole numbers of int size and fractions.
QString described(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString) {
        return QStringLiteral("text:") + value.toString();
    }
    if (value.typeId() == QMetaType::Int) {
        return QStringLiteral("int:%1").arg(value.toInt());
    }
    return QStringLiteral("double:") + QString::number(value.toDouble(), 'g', 17);
}

// A text of the given length in Chinese characters that differs from row to row.
QString chineseText(int row, int length)
{
    QString text;
    text.reserve(length);
    for (int i = 0; i < length; ++i) {
        text += QChar(char16_t(0x4E00 + (row * 131 + i * 7) % 20000));
    }
    return text;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Writes a one-column table with values as its rows.
bool writeColumn(const QString& path, const QString& caption, const QVariantList& values, QString* error = nullptr)
{
    return XlsWriter::write(
        path, QStringLiteral("表"), {caption}, int(values.size()), [&](int row, int) { return values.at(row); }, {},
        error);
}
} // namespace

class TestXlsWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void init() { QVERIFY(m_dir.isValid()); }

    void cellValues_data();
    void cellValues();
    void mixedTable();
    void emptyTables_data();
    void emptyTables();
    void sheetNames_data();
    void sheetNames();
    void stringsAcrossRecords_data();
    void stringsAcrossRecords();
    void longTablesContinueOnNextSheets_data();
    void longTablesContinueOnNextSheets();
    void largeExport();
    void replacesExistingFile();
    void failureKeepsOldFile_data();
    void failureKeepsOldFile();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void TestXlsWriter::cellValues_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("chinese text") << QVariant(QStringLiteral("张三：电话 138-0000-0000"))
                                  << QStringLiteral("text:张三：电话 138-0000-0000");
    QTest::newRow("beyond the basic plane")
        << QVariant(QStringLiteral("生日🎂快乐")) << QStringLiteral("text:生日🎂快乐");
    QTest::newRow("int") << QVariant(42) << QStringLiteral("int:42");
    QTest::newRow("negative int") << QVariant(-7) << QStringLiteral("int:-7");
    QTest::newRow("largest short whole number") << QVariant(536870911) << QStringLiteral("int:536870911");
    QTest::newRow("smallest short whole number") << QVariant(-536870912) << QStringLiteral("int:-536870912");
    QTest::newRow("int past the short form") << QVariant(536870912) << QStringLiteral("double:536870912");
    QTest::newRow("qlonglong") << QVariant(qlonglong(12345678901)) << QStringLiteral("double:12345678901");
    QTest::newRow("fraction") << QVariant(3.25) << QStringLiteral("double:3.25");
    QTest::newRow("negative fraction") << QVariant(-0.1) << QStringLiteral("double:") + QString::number(-0.1, 'g', 17);
    QTest::newRow("whole double") << QVariant(2.0) << QStringLiteral("int:2");
    QTest::newRow("huge double") << QVariant(1.5e300) << QStringLiteral("double:1.5000000000000001e+300");
    QTest::newRow("date") << QVariant(QDate(2024, 2, 29)) << QStringLiteral("date:2024-02-29");
    QTest::newRow("date in January 1900") << QVariant(QDate(1900, 1, 15)) << QStringLiteral("date:1900-01-15");
    QTest::newRow("last day of February 1900") << QVariant(QDate(1900, 2, 28)) << QStringLiteral("date:1900-02-28");
    QTest::newRow("first of March 1900") << QVariant(QDate(1900, 3, 1)) << QStringLiteral("date:1900-03-01");
    QTest::newRow("date before 1900") << QVariant(QDate(1899, 12, 31)) << QStringLiteral("text:1899-12-31");
    QTest::newRow("date and time") << QVariant(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59)))
                                   << QStringLiteral("datetime:2023-12-31 23:59:59");
    QTest::newRow("midnight") << QVariant(QDateTime(QDate(2024, 1, 1), QTime(0, 0)))
                              << QStringLiteral("datetime:2024-01-01 00:00:00");
    QTest::newRow("noon") << QVariant(QDateTime(QDate(2000, 6, 15), QTime(12, 0)))
                          << QStringLiteral("datetime:2000-06-15 12:00:00");
    QTest::newRow("invalid variant") << QVariant() << QStringLiteral("null");
    QTest::newRow("null of a type") << QVariant(QMetaType::fromType<QString>()) << QStringLiteral("null");
    QTest::newRow("empty text") << QVariant(QString()) << QStringLiteral("null");
    QTest::newRow("invalid date") << QVariant(QDate()) << QStringLiteral("null");
    QTest::newRow("invalid date and time") << QVariant(QDateTime()) << QStringLiteral("null");
    QTest::newRow("not a number") << QVariant(qQNaN()) << QStringLiteral("null");
    QTest::newRow("infinity") << QVariant(qInf()) << QStringLiteral("null");
    QTest::newRow("true") << QVariant(true) << QStringLiteral("int:1");
    QTest::newRow("false") << QVariant(false) << QStringLiteral("int:0");
    QTest::newRow("other types as their text") << QVariant(QByteArray("abc")) << QStringLiteral("text:abc");
}

void TestXlsWriter::cellValues()
{
    QFETCH(QVariant, value);
    QFETCH(QString, expected);

    const QString file = path(QStringLiteral("值.xls"));
    QVERIFY(writeColumn(file, QStringLiteral("值"), {value}));
    FreeXlBook book(file);
    QCOMPARE(book.status(), FREEXL_OK);
    QCOMPARE(book.info(FREEXL_BIFF_SHEET_COUNT), 1u);
    QCOMPARE(book.select(0), QStringLiteral("2×1"));
    QCOMPARE(book.cell(0, 0), QStringLiteral("text:值"));
    QCOMPARE(book.cell(1, 0), expected);
}

void TestXlsWriter::mixedTable()
{
    const QStringList captions{QStringLiteral("姓名"), QStringLiteral("年龄"), QStringLiteral("生日"),
                               QStringLiteral("登记时间"), QStringLiteral("备注")};
    const QList<QVariantList> rows{
        {QStringLiteral("张三"), 30, QDate(1994, 5, 6), QDateTime(QDate(2024, 3, 1), QTime(8, 30, 5)),
         QStringLiteral("老同学")},
        {QStringLiteral("李四"), QVariant(), QDate(), QDateTime(QDate(2024, 3, 2), QTime(21, 0)), QString()},
        {QStringLiteral("张三"), 25.5, QDate(2001, 12, 31), QVariant(), QStringLiteral("老同学")},
    };
    const QStringList expected{
        QStringLiteral("text:姓名|text:年龄|text:生日|text:登记时间|text:备注"),
        QStringLiteral("text:张三|int:30|date:1994-05-06|datetime:2024-03-01 08:30:05|text:老同学"),
        QStringLiteral("text:李四|null|null|datetime:2024-03-02 21:00:00|null"),
        QStringLiteral("text:张三|double:25.5|date:2001-12-31|null|text:老同学"),
    };

    const QString file = path(QStringLiteral("通讯录.xls"));
    QString error;
    QVERIFY(XlsWriter::write(
        file, QStringLiteral("通讯录"), captions, int(rows.size()),
        [&](int row, int column) { return rows.at(row).at(column); }, {80, 0, 120, 90, 200, 300}, &error));
    QVERIFY(error.isEmpty());

    FreeXlBook book(file);
    QCOMPARE(book.status(), FREEXL_OK);
    QCOMPARE(book.info(FREEXL_BIFF_VERSION), unsigned(FREEXL_BIFF_VER_8));
    QCOMPARE(book.info(FREEXL_BIFF_CODEPAGE), unsigned(FREEXL_BIFF_UTF16LE));
    QCOMPARE(book.info(FREEXL_BIFF_SHEET_COUNT), 1u);
    // Every distinct text is stored once: five captions, 张三, 李四 and 老同学.
    QCOMPARE(book.info(FREEXL_BIFF_STRING_COUNT), 8u);
    QCOMPARE(book.sheetName(0), QStringLiteral("通讯录"));
    QCOMPARE(book.select(0), QStringLiteral("4×5"));
    for (int row = 0; row < expected.size(); ++row) {
        QStringList cells;
        for (unsigned short column = 0; column < captions.size(); ++column) {
            cells << book.cell(unsigned(row), column);
        }
        QCOMPARE(cells.join(QLatin1Char('|')), expected.at(row));
    }
}

void TestXlsWriter::emptyTables_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<QString>("size");

    QTest::newRow("header only") << QStringList{QStringLiteral("甲"), QStringLiteral("乙")} << 0
                                 << QStringLiteral("1×2");
    QTest::newRow("negative row count") << QStringList{QStringLiteral("甲"), QStringLiteral("乙")} << -3
                                        << QStringLiteral("1×2");
    QTest::newRow("no columns") << QStringList() << 5 << QStringLiteral("0×0");
}

void TestXlsWriter::emptyTables()
{
    QFETCH(QStringList, captions);
    QFETCH(int, rowCount);
    QFETCH(QString, size);

    const QString file = path(QStringLiteral("空.xls"));
    int asked = 0;
    QVERIFY(XlsWriter::write(
        file, QStringLiteral("空表"), captions, rowCount,
        [&](int, int) {
            ++asked;
            return QVariant(1);
        },
        {}, nullptr));
    QCOMPARE(asked, 0);
    // A workbook this small belongs in the mini stream, which needs mini allocation sectors.
    QVERIFY(qFromLittleEndian<quint32>(fileBytes(file).constData() + 64) > 0);
    FreeXlBook book(file);
    QCOMPARE(book.status(), FREEXL_OK);
    QCOMPARE(book.info(FREEXL_BIFF_SHEET_COUNT), 1u);
    QCOMPARE(book.sheetName(0), QStringLiteral("空表"));
    QCOMPARE(book.select(0), size);
    for (unsigned short column = 0; column < captions.size(); ++column) {
        QCOMPARE(book.cell(0, column), QStringLiteral("text:") + captions.at(column));
    }
}

void TestXlsWriter::sheetNames_data()
{
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << QStringLiteral("收支明细") << QStringLiteral("收支明细");
    QTest::newRow("forbidden characters")
        << QStringLiteral("收入/支出[2024]:*?\\") << QStringLiteral("收入_支出_2024_____");
    QTest::newRow("too long") << QStringLiteral("一二三四五六七八九十") + QStringLiteral("一二三四五六七八九十") +
                                     QStringLiteral("一二三四五六七八九十") + QStringLiteral("甲乙丙")
                              << QStringLiteral("一二三四五六七八九十") + QStringLiteral("一二三四五六七八九十") +
                                     QStringLiteral("一二三四五六七八九十") + QStringLiteral("甲");
    QTest::newRow("empty") << QString() << QStringLiteral("Sheet1");
    QTest::newRow("apostrophes at the ends") << QStringLiteral("'备忘'") << QStringLiteral("备忘");
    QTest::newRow("only apostrophes") << QStringLiteral("''") << QStringLiteral("Sheet1");
    QTest::newRow("cut before a surrogate pair")
        << QString(30, QLatin1Char('a')) + QStringLiteral("🎂") << QString(30, QLatin1Char('a'));
}

void TestXlsWriter::sheetNames()
{
    QFETCH(QString, requested);
    QFETCH(QString, expected);

    const QString file = path(QStringLiteral("名字.xls"));
    QVERIFY(XlsWriter::write(
        file, requested, {QStringLiteral("列")}, 1, [](int, int) { return QVariant(1); }, {}, nullptr));
    FreeXlBook book(file);
    QCOMPARE(book.status(), FREEXL_OK);
    QCOMPARE(book.sheetName(0), expected);
}

void TestXlsWriter::stringsAcrossRecords_data()
{
    // The string table's first record has room for 8224 bytes: 8 for its counts, 5 for the caption "字"
    // (length, flags, one character), each further string 3 plus 2 per character. The fillers leave `left`
    // bytes in that record before the strings that follow.
    QTest::addColumn<QList<int>>("lengths");

    QTest::newRow("string split in the middle") << QList<int>(12, 1000);
    for (int left = 0; left <= 6; left += 2) {
        QTest::addRow("one filler, %d bytes left", left) << QList<int>{(8208 - left) / 2, 10, 10, 3000};
    }
    for (int left = 1; left <= 5; left += 2) {
        const int both = (8205 - left) / 2;
        QTest::addRow("two fillers, %d bytes left", left) << QList<int>{both / 2, both - both / 2, 10, 10, 3000};
    }
    QTest::newRow("strings longer than half a record") << QList<int>{4111, 4111, 4111, 4000, 4110};
    QList<int> varied;
    for (int i = 0; i < 3000; ++i) {
        varied << i * 37 % 300 + 1;
    }
    QTest::newRow("many strings of varied length") << varied;
}

void TestXlsWriter::stringsAcrossRecords()
{
    QFETCH(QList<int>, lengths);

    QVariantList values;
    for (int row = 0; row < lengths.size(); ++row) {
        values << chineseText(row, lengths.at(row));
    }
    const QString file = path(QStringLiteral("长文本.xls"));
    QVERIFY(writeColumn(file, QStringLiteral("字"), values));

    FreeXlBook book(file);
    QCOMPARE(book.status(), FREEXL_OK);
    QCOMPARE(book.info(FREEXL_BIFF_STRING_COUNT), unsigned(values.size() + 1));
    QCOMPARE(book.select(0), QStringLiteral("%1×1").arg(values.size() + 1));
    QCOMPARE(book.cell(0, 0), QStringLiteral("text:字"));
    for (int row = 0; row < values.size(); ++row) {
        QCOMPARE(book.cell(unsigned(row + 1), 0), QStringLiteral("text:") + values.at(row).toString());
    }
}

void TestXlsWriter::longTablesContinueOnNextSheets_data()
{
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<QString>("sheetName");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sizes");

    QTest::newRow("one full sheet") << 65535 << QStringLiteral("收支") << QStringList{QStringLiteral("收支")}
                                    << QStringList{QStringLiteral("65536×2")};
    QTest::newRow("one row more") << 65536 << QStringLiteral("收支")
                                  << QStringList{QStringLiteral("收支"), QStringLiteral("收支 (2)")}
                                  << QStringList{QStringLiteral("65536×2"), QStringLiteral("2×2")};
    // A name at the length limit makes room for the number.
    const QString longName = QString(30, QChar(u'账'));
    QTest::newRow("three sheets") << 65535 * 2 + 5 << longName
                                  << QStringList{longName, longName.left(27) + QStringLiteral(" (2)"),
                                                 longName.left(27) + QStringLiteral(" (3)")}
                                  << QStringList{QStringLiteral("65536×2"), QStringLiteral("65536×2"),
                                                 QStringLiteral("6×2")};
}

void TestXlsWriter::longTablesContinueOnNextSheets()
{
    QFETCH(int, rowCount);
    QFETCH(QString, sheetName);
    QFETCH(QStringList, names);
    QFETCH(QStringList, sizes);

    const auto value = [](int row, int column) {
        return column == 0 ? QVariant(row) : QVariant(QStringLiteral("第%1行").arg(row));
    };
    qint64 asked = 0;
    const QString file = path(QStringLiteral("长表.xls"));
    QVERIFY(XlsWriter::write(
        file, sheetName, {QStringLiteral("序号"), QStringLiteral("内容")}, rowCount,
        [&](int row, int column) {
            ++asked;
            return value(row, column);
        },
        {60, 160}, nullptr));
    QCOMPARE(asked, qint64(rowCount) * 2);

    FreeXlBook book(file);
    QCOMPARE(book.status(), FREEXL_OK);
    QCOMPARE(book.info(FREEXL_BIFF_SHEET_COUNT), unsigned(names.size()));
    int row = 0;
    for (unsigned short sheet = 0; sheet < names.size(); ++sheet) {
        QCOMPARE(book.sheetName(sheet), names.at(sheet));
        QCOMPARE(book.select(sheet), sizes.at(sheet));
        QCOMPARE(book.cell(0, 0), QStringLiteral("text:序号"));
        QCOMPARE(book.cell(0, 1), QStringLiteral("text:内容"));
        const unsigned sheetRows = sizes.at(sheet).section(QChar(u'×'), 0, 0).toUInt();
        for (unsigned sheetRow = 1; sheetRow < sheetRows; ++sheetRow, ++row) {
            for (unsigned short column = 0; column < 2; ++column) {
                const QString cell = book.cell(sheetRow, column);
                if (cell != described(value(row, column))) {
                    QCOMPARE(cell, described(value(row, column)));
                }
            }
        }
    }
    QCOMPARE(row, rowCount);
}

void TestXlsWriter::largeExport()
{
    // 100 000 rows of nine text and number columns, the largest export the program offers. The file is
    // bigger than the 109 allocation sectors the header can list, so it needs the extra index sectors.
    const int rowCount = 100000;
    const QStringList regions{QStringLiteral("华东"), QStringLiteral("华南"), QStringLiteral("华北"),
                              QStringLiteral("西南"), QStringLiteral("东北")};
    const auto value = [&](int row, int column) -> QVariant {
        switch (column) {
        case 0:
            return row + 1;
        case 1:
            return QStringLiteral("客户%1").arg(row);
        case 2:
            return regions.at(row % regions.size());
        case 3:
            return row * 1.25 + 0.01;
        case 4:
            return QStringLiteral("订单-%1-A").arg(row, 8, 10, QLatin1Char('0'));
        case 5:
            return row % 100;
        case 6:
            return QStringLiteral("备注：第%1条记录，已核对").arg(row);
        case 7:
            return (row + 0.5) / 7.0;
        default:
            return row % 3 == 0 ? QVariant(QStringLiteral("是")) : QVariant(QStringLiteral("否"));
        }
    };
    const QStringList captions{QStringLiteral("编号"), QStringLiteral("客户"),   QStringLiteral("地区"),
                               QStringLiteral("金额"), QStringLiteral("订单号"), QStringLiteral("数量"),
                               QStringLiteral("备注"), QStringLiteral("比率"),   QStringLiteral("已付")};

    const QString file = path(QStringLiteral("十万行.xls"));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(XlsWriter::write(file, QStringLiteral("订单"), captions, rowCount, value, {}, nullptr));
    qInfo("%d rows x %d columns written in %lld ms, %lld bytes", rowCount, int(captions.size()), timer.elapsed(),
          QFileInfo(file).size());

    const QByteArray header = fileBytes(file).left(512);
    QCOMPARE(header.left(8), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
    QVERIFY(qFromLittleEndian<quint32>(header.constData() + 44) > 109);
    QVERIFY(qFromLittleEndian<quint32>(header.constData() + 72) > 0);

    FreeXlBook book(file);
    QCOMPARE(book.status(), FREEXL_OK);
    QCOMPARE(book.info(FREEXL_BIFF_SHEET_COUNT), 2u);
    QCOMPARE(book.sheetName(1), QStringLiteral("订单 (2)"));
    const auto checkRow = [&](unsigned sheetRow, int row) -> QString {
        for (unsigned short column = 0; column < captions.size(); ++column) {
            const QString cell = book.cell(sheetRow, column);
            const QString expected = described(value(row, column));
            if (cell != expected) {
                qWarning("row %d column %d", row, int(column));
                return cell + QStringLiteral(" ≠ ") + expected;
            }
        }
        return QString();
    };
    for (unsigned short sheet = 0; sheet < 2; ++sheet) {
        QCOMPARE(book.select(sheet), sheet == 0 ? QStringLiteral("65536×9") : QStringLiteral("34466×9"));
        for (unsigned short column = 0; column < captions.size(); ++column) {
            QCOMPARE(book.cell(0, column), QStringLiteral("text:") + captions.at(column));
        }
    }
    // The rows at the end of the file are the ones found through the extra index sectors.
    for (unsigned sheetRow = 1; sheetRow < 34466; ++sheetRow) {
        QCOMPARE(checkRow(sheetRow, 65535 + int(sheetRow) - 1), QString());
    }
    QVERIFY(book.select(0) == QStringLiteral("65536×9"));
    QCOMPARE(checkRow(1, 0), QString());
    QCOMPARE(checkRow(65535, 65534), QString());
}

void TestXlsWriter::replacesExistingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("导出.xls"));
    QVERIFY(writeFile(file, "not a workbook"));

    QVariantList many;
    for (int row = 0; row < 70000; ++row) {
        many << QStringLiteral("旧数据%1").arg(row);
    }
    QVERIFY(writeColumn(file, QStringLiteral("旧"), many));
    {
        FreeXlBook book(file);
        QCOMPARE(book.status(), FREEXL_OK);
        QCOMPARE(book.info(FREEXL_BIFF_SHEET_COUNT), 2u);
    }
    const qint64 largeSize = QFileInfo(file).size();

    QString error;
    QVERIFY(writeColumn(file, QStringLiteral("新"), {QStringLiteral("新数据"), 7}, &error));
    QVERIFY(error.isEmpty());
    QVERIFY(QFileInfo(file).size() < largeSize);
    FreeXlBook book(file);
    QCOMPARE(book.status(), FREEXL_OK);
    QCOMPARE(book.info(FREEXL_BIFF_SHEET_COUNT), 1u);
    QCOMPARE(book.select(0), QStringLiteral("3×1"));
    QCOMPARE(book.cell(0, 0), QStringLiteral("text:新"));
    QCOMPARE(book.cell(1, 0), QStringLiteral("text:新数据"));
    QCOMPARE(book.cell(2, 0), QStringLiteral("int:7"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("导出.xls")});
}

void TestXlsWriter::failureKeepsOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("columns");

    QTest::newRow("folder missing") << QStringLiteral("没有的文件夹/导出.xls") << 2;
    QTest::newRow("parent is a file") << QStringLiteral("普通文件/导出.xls") << 2;
    QTest::newRow("target is a folder") << QStringLiteral("文件夹") << 2;
    QTest::newRow("too many columns") << QStringLiteral("旧.xls") << 257;
    QTest::newRow("read-only folder") << QStringLiteral("只读/旧.xls") << 2;
}

void TestXlsWriter::failureKeepsOldFile()
{
    QFETCH(QString, target);
    QFETCH(int, columns);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeFile(dir.filePath(QStringLiteral("普通文件")), "plain"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("文件夹")));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("只读")));
    const QByteArray oldBytes("the old export");
    QVERIFY(writeFile(dir.filePath(QStringLiteral("旧.xls")), oldBytes));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("只读/旧.xls")), oldBytes));
    const QString readOnly = dir.filePath(QStringLiteral("只读"));
    QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
    const auto restore =
        qScopeGuard([&] { QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    if (target.startsWith(QStringLiteral("只读")) && writeFile(readOnly + QStringLiteral("/probe"), "x")) {
        QSKIP("this user may write into read-only folders");
    }

    const QString file = dir.filePath(target);
    const bool existed = QFileInfo(file).isFile();
    const QDir folder = QFileInfo(file).absoluteDir();
    const QStringList filesBefore = folder.entryList(QDir::Files | QDir::Hidden);
    QStringList captions;
    for (int column = 0; column < columns; ++column) {
        captions << QStringLiteral("列%1").arg(column);
    }
    QString error;
    QVERIFY(!XlsWriter::write(
        file, QStringLiteral("表"), captions, 3, [](int row, int) { return QVariant(row); }, {}, &error));
    const QString prefix = QStringLiteral("无法写入文件“%1”：").arg(QDir::toNativeSeparators(file));
    QVERIFY2(error.startsWith(prefix) && error.size() > prefix.size() + 4, qPrintable(error));
    if (existed) {
        QCOMPARE(fileBytes(file), oldBytes);
    } else {
        QVERIFY(!QFileInfo(file).isFile());
    }
    // No half-written file is left beside the old one.
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), filesBefore);
}

QTEST_GUILESS_MAIN(TestXlsWriter)
#include "tst_xlswriter.moc"
