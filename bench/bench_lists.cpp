// The record lists over 10 000, 100 000 and 1 000 000 rows, each figure beside
// its floor measured in the same run: the contacts list opened and painted
// (the same statement read through the SQLite C API), the memory it keeps
// (against its text), 新增 and 保存 with the list brought up to date (one
// durable insert), the .xls export (the same cells read and written raw),
// grouping by a column of distinct values (SQLite's GROUP BY), and the income
// list over its default range and over all rows.
// Sizes: PELORIN_BENCH_ROWS="10000,100000" (default all three). One part
// alone, to profile it: PELORIN_BENCH_ONLY=open|save|export|group|income.
#include "BenchDatabase.h"
#include "BenchMeasure.h"
#include "books/TfrmDianhua.h"
#include "books/TfrmIncome.h"
#include "core/data/AppPaths.h"
#include "core/data/Query.h"
#include "core/data/SqlDialect.h"
#include "core/data/Tdm.h"
#include "forms/DataGrid.h"
#include "forms/FileDialog.h"
#include "forms/MessageBox.h"
#include "forms/TMcxDateEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <sqlite3.h>

namespace {
void fillContacts(const QString& path, int rows)
{
    Connection connection(path);
    sqlite3* db = connection.handle();
    SchemaMigrator::exec(db, QStringLiteral("BEGIN"));
    Statement insert(db, QStringLiteral("INSERT INTO Dianhua (xingming, leixing, xingbie, shouji, dianhua, qq, email, "
                                        "addr, ord, remark) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QStringList types = {QStringLiteral("家人"), QStringLiteral("朋友"), QStringLiteral("同事"),
                               QStringLiteral("客户")};
    for (int i = 0; i < rows; ++i) {
        insert.bind(1, QStringLiteral("联系人%1").arg(i));
        insert.bind(2, types[i % types.size()]);
        insert.bind(3, i % 2 ? QStringLiteral("男") : QStringLiteral("女"));
        insert.bind(4, QStringLiteral("138%1").arg(i, 8, 10, QLatin1Char('0')));
        insert.bind(5, QStringLiteral("010-%1").arg(i % 10000000, 8, 10, QLatin1Char('0')));
        insert.bind(6, QString::number(100000 + i));
        insert.bind(7, QStringLiteral("user%1@example.com").arg(i));
        insert.bind(8, QStringLiteral("北京市海淀区中关村大街%1号").arg(i % 500));
        insert.bind(9, double(i));
        insert.bind(10, QStringLiteral("备注"));
        insert.step();
        insert.reset();
    }
    SchemaMigrator::exec(db, QStringLiteral("COMMIT"));
}

bool wanted(const char* part)
{
    const QByteArray only = qgetenv("PELORIN_BENCH_ONLY");
    return only.isEmpty() || only == part;
}

QByteArray sizeName(int rows)
{
    return rows >= 1000000 ? QByteArray::number(rows / 1000000) + "M" : QByteArray::number(rows / 1000) + "k";
}

// The rows a list's statement gives, read cell by cell through the C API as
// the list reads them; the text bytes are counted. With out, every cell is
// also written raw to that file.
qint64 readRows(sqlite3* db, const QByteArray& sql, FILE* out = nullptr)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
    const int columns = sqlite3_column_count(statement);
    qint64 textBytes = 0;
    volatile double numbers = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(statement, i)) {
            case SQLITE_INTEGER:
            case SQLITE_FLOAT: {
                const double value = sqlite3_column_double(statement, i);
                numbers = numbers + value;
                if (out) {
                    std::fwrite(&value, sizeof value, 1, out);
                }
                break;
            }
            case SQLITE_TEXT: {
                const auto* text = sqlite3_column_text(statement, i);
                const int bytes = sqlite3_column_bytes(statement, i);
                textBytes += bytes;
                if (out) {
                    std::fwrite(text, 1, size_t(bytes), out);
                }
                break;
            }
            default:
                break;
            }
        }
    }
    sqlite3_finalize(statement);
    return textBytes;
}

// The statement a list last ran, as SQLite runs it.
QByteArray statementOf(const Query& query)
{
    return SqlDialect::translate(query.sql()).sql.toUtf8();
}

void paint(DataGrid* grid)
{
    QCoreApplication::processEvents();
    grid->view()->viewport()->repaint();
}

double settledRssMb()
{
    QCoreApplication::processEvents();
    malloc_trim(0);
    return memoryMb("VmRSS");
}

// Answers the next editor: fills the contact's required fields and saves.
void saveNextContact(int number)
{
    QTimer::singleShot(0, [number] {
        QWidget* editor = QApplication::activeModalWidget();
        if (!editor) {
            saveNextContact(number);
            return;
        }
        editor->findChild<QLineEdit*>(QStringLiteral("xingming"))->setText(QStringLiteral("新联系人%1").arg(number));
        editor->findChild<QComboBox*>(QStringLiteral("leixing"))->setCurrentText(QStringLiteral("朋友"));
        editor->findChild<QPushButton*>(QStringLiteral("btnSave"))->click();
    });
}

void benchContacts(int rows, const QString& path, const QString& folder)
{
    const QByteArray size = sizeName(rows);
    const int runs = rows >= 1000000 ? 3 : 5;
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const QByteArray listSql = "SELECT *, rowid FROM Dianhua WHERE 1=1 ORDER BY ord, rowid";
    std::unique_ptr<TfrmDianhua> list;
    const auto open = [&list] {
        list = std::make_unique<TfrmDianhua>();
        list->show();
        paint(list->cxGrid1);
    };
    const qint64 textBytes = readRows(db, listSql);
    if (wanted("open")) {
        const Timing readFloor = measureMs(
            runs, [&] { readRows(db, listSql); }, 1);

        const Timing opened = measureMs(runs, open, 1, [&list] { list.reset(); });
        reportAgainstFloor("contacts list open → grid painted, " + size, opened, readFloor, "≤ 1.3 × floor");
    }
    const double before = settledRssMb();
    open();
    const double kept = settledRssMb() - before;
    const double allowance = (1.5 * double(textBytes) + 40.0 * rows) / (1024.0 * 1024.0);
    const QByteArray perRow = QByteArray::number(kept * 1024 * 1024 / rows, 'f', 0) + " B a row for " +
                              QByteArray::number(double(textBytes) / rows, 'f', 0) + " B of text";
    reportMemory("memory kept by the open contacts list, " + size, kept, allowance,
                 "≤ 1.5 × text + 40 B a row (floor column)", perRow.constData());

    if (wanted("save")) {
        // One durable insert through the C API, as the floor of 新增 + 保存.
        sqlite3_exec(db, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
        int inserted = 0;
        const Timing insertFloor = measureMs(runs, [&] {
            ++inserted;
            const QByteArray sql = "INSERT INTO Dianhua (xingming, leixing, ord) VALUES ('底线" +
                                   QByteArray::number(inserted) + "', '朋友', " + QByteArray::number(rows + inserted) +
                                   ")";
            sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
        });
        int saved = 0;
        const Timing save = measureMs(runs, [&] {
            saveNextContact(++saved);
            list->btnNew->click();
            paint(list->cxGrid1);
        });
        reportAgainstFloor("新增 + 保存, list up to date, " + size, save, insertFloor, "≤ 10 ms at any size");
    }
    if (wanted("export")) {
        const QString workbook = folder + QStringLiteral("/contacts.xls");
        const QByteArray raw = (folder + QStringLiteral("/raw.bin")).toUtf8();
        const Timing rawFloor = measureMs(runs, [&] {
            FILE* out = std::fopen(raw.constData(), "wb");
            readRows(db, statementOf(list->query()), out);
            std::fclose(out);
        });
        double exportPeak = 0;
        resetPeakMemory();
        const Timing exported = measureMs(
            runs,
            [&] {
                FileDialog::setNextFileName(workbook);
                list->btnToExcel->click();
            },
            1,
            [&] {
                exportPeak = std::max(exportPeak, memoryMb("VmHWM") - before);
                malloc_trim(0);
                resetPeakMemory();
            });
        reportAgainstFloor(".xls export, " + size, exported, rawFloor, "≤ 2 × floor");
        reportMemory(".xls export: peak above the open list, " + size, exportPeak - kept, 50, "≤ 50 MB");
    }
    if (wanted("group")) {
        const Timing groupFloor =
            measureMs(runs, [&] { readRows(db, "SELECT xingming, count(*) FROM Dianhua GROUP BY xingming"); });
        const double beforeGroup = settledRssMb();
        const Timing grouped = measureMs(
            runs,
            [&] {
                list->cxGrid1->groupBy(0);
                paint(list->cxGrid1);
            },
            1, [&] { list->cxGrid1->setGroupedColumns({}); });
        reportAgainstFloor("group by a column of distinct values, " + size, grouped, groupFloor, "≤ 1 s");
        reportMemory("memory kept after ungrouping, " + size, settledRssMb() - beforeGroup, 0, "given back (0)");
    }
    list.reset();
    sqlite3_close(db);
}

void benchIncome(int rows, const QString& path)
{
    const QByteArray size = sizeName(rows);
    const int runs = rows >= 1000000 ? 3 : 5;
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<TfrmIncome> list;
    QByteArray defaultSql;
    const Timing opened = measureMs(
        runs,
        [&] {
            list = std::make_unique<TfrmIncome>();
            list->show();
            paint(list->cxGrid1);
        },
        1,
        [&] {
            defaultSql = statementOf(list->query());
            list.reset();
        });
    const Timing defaultFloor = measureMs(runs, [&] { readRows(db, defaultSql); });
    reportAgainstFloor("income list, default range, footer, " + size, opened, defaultFloor, "≤ 1.3 × floor");

    list = std::make_unique<TfrmIncome>();
    list->show();
    list->edtStart->clear();
    const Timing all = measureMs(runs, [&] {
        list->btnFilter->click();
        paint(list->cxGrid1);
    });
    const Timing allFloor = measureMs(runs, [&] { readRows(db, statementOf(list->query())); });
    const QByteArray what = "income list, all " + QByteArray::number(list->query().rowCount()) + " rows, footer";
    reportAgainstFloor(what.constData(), all, allFloor, "≤ 1.3 × floor");
    list.reset();
    sqlite3_close(db);
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    MessageBox::setTestMode(true);
    QList<int> sizes;
    const QString sizeList = qEnvironmentVariable("PELORIN_BENCH_ROWS", QStringLiteral("10000,100000,1000000"));
    for (const QString& size : sizeList.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        sizes << size.toInt();
    }
    for (int rows : sizes) {
        QTemporaryDir dir;
        AppPaths::setProgramFolder(dir.path());
        const QString path = dir.filePath(QStringLiteral("pel.dll"));
        fillContacts(path, rows);
        fillIncome(path, rows);
        dm = new Tdm;
        benchContacts(rows, path, dir.path());
        if (wanted("income")) {
            benchIncome(rows, path);
        }
        delete dm;
        dm = nullptr;
    }
    return 0;
}
