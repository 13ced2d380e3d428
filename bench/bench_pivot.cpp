// From 刷新 to the first screen of the income statistics over 100 000 and
// 1 000 000 entries, beside two floors measured in the same run: SQLite
// grouping over a covering index, and the rows read and hashed in plain C++.
#include "BenchDatabase.h"
#include "BenchMeasure.h"
#include "core/data/AppPaths.h"
#include "core/data/Tdm.h"
#include "forms/MessageBox.h"
#include "stats/PivotGrid.h"
#include "stats/PivotModel.h"
#include "stats/TfrmIncomeStat.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <cstring>
#include <sqlite3.h>
#include <unordered_map>

namespace {
// Day numbers count from 1899-12-30; SQLite's julian days from noon of 4714 BC.
constexpr double kJulianOffset = 2415018.5;

Timing floorGroupBy(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "CREATE INDEX IF NOT EXISTS bench_cover ON Income (dt, leixing, jine)", nullptr, nullptr, nullptr);
    const QByteArray sql = QByteArray("SELECT CAST(strftime('%Y', dt + ") + QByteArray::number(kJulianOffset) +
                           ") AS INT) AS y, CAST(strftime('%m', dt + " + QByteArray::number(kJulianOffset) +
                           ") AS INT) AS m, leixing, SUM(jine) FROM Income INDEXED BY bench_cover WHERE dt >= 0 "
                           "GROUP BY y, m, leixing";
    const Timing timing = measureMs(5, [db, &sql] {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
        volatile qint64 total = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            total = total + sqlite3_column_int64(statement, 3);
        }
        sqlite3_finalize(statement);
    });
    sqlite3_exec(db, "DROP INDEX bench_cover", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return timing;
}

// Year and month of a day number (days since 1899-12-30), Howard Hinnant's civil_from_days.
void yearMonth(qint64 dayNumber, int* year, int* month)
{
    const qint64 z = dayNumber - 25569 + 719468; // to days since 1970-01-01, then to 0000-03-01
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    *month = int(mp < 10 ? mp + 3 : mp - 9);
    *year = int(yoe + era * 400 + (*month <= 2 ? 1 : 0));
}

Timing floorHash(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const Timing timing = measureMs(5, [db] {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, "SELECT dt, leixing, ren, jine FROM Income", -1, &statement, nullptr);
        std::unordered_map<std::string, qint64> sums;
        std::string key;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            int year = 0;
            int month = 0;
            yearMonth(qint64(sqlite3_column_double(statement, 0)), &year, &month);
            key.assign(reinterpret_cast<const char*>(&year), sizeof year);
            key.append(reinterpret_cast<const char*>(&month), sizeof month);
            key.append(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)),
                       size_t(sqlite3_column_bytes(statement, 1)));
            sums[key] += sqlite3_column_int64(statement, 3);
        }
        sqlite3_finalize(statement);
        volatile size_t groups = sums.size();
        (void)groups;
    });
    sqlite3_close(db);
    return timing;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    MessageBox::setTestMode(true);
    for (int rows : {100000, 1000000}) {
        QTemporaryDir dir;
        AppPaths::setProgramFolder(dir.path());
        const QString path = dir.filePath(QStringLiteral("pel.dll"));
        fillIncome(path, rows);
        dm = new Tdm;
        {
            TfrmIncomeStat form;
            form.resize(1280, 800);
            form.show();
            // From 2008 on every entry of the ten years counts; from last year on, about a tenth.
            const QString lastYear = QString::number(QDate::currentDate().year() - 1);
            for (const QString& startYear : {QStringLiteral("2008"), lastYear}) {
                form.cbYear->setCurrentText(startYear);
                QTableView* view = form.cxPivotGrid->view();
                const Timing refresh = measureMs(5, [&form, view] {
                    form.btnRefresh->click();
                    view->viewport()->repaint();
                });
                const QByteArray what =
                    "刷新 to first screen, " + QByteArray::number(rows) + " entries, from " + startYear.toUtf8();
                std::printf("%s: %d pivot rows x %d columns\n", what.constData(), form.cxPivotGrid->model()->rowCount(),
                            form.cxPivotGrid->model()->columnCount());
                reportAgainstFloor(what, refresh, floorGroupBy(path), "< 300 ms (floor: GROUP BY, index, all rows)");
                reportAgainstFloor(what, refresh, floorHash(path), "< 300 ms (floor: all rows hashed in C++)");
            }
        }
        delete dm;
        dm = nullptr;
    }
    return 0;
}
