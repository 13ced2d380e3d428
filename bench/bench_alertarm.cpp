// Arming the alarm timer over a large alarm table: the statement the ringer
// runs at every arming, beside the same statement through SQLite's C API.
#include "BenchMeasure.h"
#include "alarms/AlertRinger.h"
#include "core/data/Connection.h"
#include "core/data/SchemaMigrator.h"
#include "core/data/Statement.h"
#include "core/data/Tdm.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <sqlite3.h>

namespace {
void fillAlerts(const QString& path, int rows)
{
    Connection connection(path);
    sqlite3* db = connection.handle();
    SchemaMigrator::exec(db, QStringLiteral("BEGIN"));
    Statement insert(db, QStringLiteral("INSERT INTO alert (dt, knd, title) VALUES (?, ?, ?)"));
    const double today = double(QDate(1899, 12, 30).daysTo(QDate::currentDate()));
    for (int i = 0; i < rows; ++i) {
        // Spread over ten years, a quarter of them overdue, at odd times of day.
        insert.bind(1, today - 900 + double(i % 3650) + double(i % 1440) / 1440.0);
        insert.bind(2, qlonglong(i % 7));
        insert.bind(3, QStringLiteral("第%1个提醒").arg(i));
        insert.step();
        insert.reset();
    }
    SchemaMigrator::exec(db, QStringLiteral("COMMIT"));
}

Timing floorMinDt(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const Timing timing = measureMs(200, [db] {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, "select min(dt) as mdt from alert", -1, &statement, nullptr);
        sqlite3_step(statement);
        volatile double value = sqlite3_column_double(statement, 0);
        (void)value;
        sqlite3_finalize(statement);
    });
    sqlite3_close(db);
    return timing;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    for (int rows : {10000, 100000}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pel.dll"));
        fillAlerts(path, rows);
        dm = new Tdm(path);
        {
            AlertRinger ringer(nullptr);
            const Timing arming = measureMs(200, [&ringer] { ringer.ArmAlertTimer(); });
            const Timing floor = floorMinDt(path);
            const QByteArray what = QByteArray("arm the alarm timer, ") + QByteArray::number(rows) + " alarms";
            reportAgainstFloor(what.constData(), arming, floor, "< 2 ms");
        }
        delete dm;
        dm = nullptr;
    }
    return 0;
}
