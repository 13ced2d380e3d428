// Prints how long the alarm list takes to show "所有提醒" over 100 000 alarms
// (query run and grid ready), beside its floor: the same statement stepped
// through the SQLite C API, every column read. Medians after a warm-up, with
// the process's memory.
#include "BenchMeasure.h"
#include "alarms/TfrmAlert.h"
#include "core/data/AppPaths.h"
#include "core/data/Connection.h"
#include "core/data/DayNumber.h"
#include "core/data/Query.h"
#include "core/data/SchemaMigrator.h"
#include "core/data/SqlDialect.h"
#include "core/data/Statement.h"
#include "core/data/Tdm.h"
#include "forms/MessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {
constexpr int kRows = 100000;
constexpr int kWarmUp = 2;
constexpr int kRuns = 11;

// Alarms every 53 minutes from five years back on: half due, half ahead.
void fillAlarms(const QString& path)
{
    Connection connection(path);
    sqlite3* db = connection.handle();
    SchemaMigrator::exec(db, QStringLiteral("BEGIN"));
    Statement insert(db, QStringLiteral("INSERT INTO alert (dt, title, knd) VALUES (?, ?, ?)"));
    const QDateTime start = QDateTime::currentDateTime().addSecs(-qint64(kRows / 2) * 53 * 60);
    const QStringList titles = {QStringLiteral("吃药"), QStringLiteral("交房租"), QStringLiteral("给妈妈打电话"),
                                QStringLiteral("周例会"), QStringLiteral("孩子接送")};
    for (int i = 0; i < kRows; ++i) {
        insert.bind(1, DayNumber::fromDateTime(start.addSecs(qint64(i) * 53 * 60)));
        insert.bind(2, QStringLiteral("%1（第%2条）").arg(titles[i % titles.size()]).arg(i));
        insert.bind(3, qlonglong(i % 7));
        insert.step();
        insert.reset();
    }
    SchemaMigrator::exec(db, QStringLiteral("COMMIT"));
}

double medianMs(const std::function<void()>& work)
{
    return measureMs(kRuns, work, kWarmUp).median;
}

QString memory()
{
    return QStringLiteral("VmRSS %1 MB, VmHWM %2 MB")
        .arg(memoryMb("VmRSS"), 0, 'f', 1)
        .arg(memoryMb("VmHWM"), 0, 'f', 1);
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    MessageBox::setTestMode(true);
    QTemporaryDir dir;
    AppPaths::setProgramFolder(dir.path());
    fillAlarms(dir.filePath(QStringLiteral("pel.dll")));
    dm = new Tdm;
    std::printf("alarms: %d rows; %s\n", kRows, qPrintable(memory()));

    const QString statement = QStringLiteral("select * from alert where 1=1 order by dt desc");
    int floorRows = 0;
    const double floorMs = medianMs([&] {
        const QString sql = SqlDialect::translate(statement).sql;
        sqlite3_stmt* raw = nullptr;
        sqlite3* db = dm->ADOConnection1().handle();
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &raw, nullptr);
        floorRows = 0;
        double sum = 0;
        while (sqlite3_step(raw) == SQLITE_ROW) {
            sum += double(sqlite3_column_int64(raw, 0)) + sqlite3_column_double(raw, 1) +
                   double(sqlite3_column_bytes(raw, 2)) + double(sqlite3_column_int64(raw, 3));
            ++floorRows;
        }
        sqlite3_finalize(raw);
        if (sum < 0) {
            std::printf("?");
        }
    });
    std::printf("%-46s %9.2f ms   (%d rows; %s)\n", "floor: the statement through the SQLite C API", floorMs, floorRows,
                qPrintable(memory()));

    {
        // Whether the order comes from the index on dt or from a sort.
        const QString plan = QStringLiteral("EXPLAIN QUERY PLAN ") + SqlDialect::translate(statement).sql;
        Statement explain(dm->ADOConnection1().handle(), plan);
        while (explain.step()) {
            std::printf("  plan: %s\n", qPrintable(explain.value(3).toString()));
        }
    }
    Query query(dm->ADOConnection1());
    const double queryMs = medianMs([&] {
        query.setSql(statement);
        query.open();
    });
    std::printf("%-46s %9.2f ms   (%.1f x the floor)\n", "the statement into a query", queryMs, queryMs / floorMs);
    query.close();

    TfrmAlert list;
    list.show();
    list.cbKnd->setCurrentIndex(TfrmAlert::All);
    QCoreApplication::processEvents();
    const double refreshMs = medianMs([&] {
        list.btnRefresh->click();
        QCoreApplication::processEvents();
    });
    std::printf("%-46s %9.2f ms   (target < 150 ms; %d rows; %.1f x the floor; %s)\n",
                "所有提醒: the list's query and grid", refreshMs, list.query().rowCount(), refreshMs / floorMs,
                qPrintable(memory()));

    const double openMs = medianMs([&] {
        TfrmAlert fresh;
        fresh.show();
        fresh.cbKnd->setCurrentIndex(TfrmAlert::All);
        QCoreApplication::processEvents();
    });
    std::printf("%-46s %9.2f ms   (%s)\n", "open the list and choose 所有提醒", openMs, qPrintable(memory()));
    delete dm;
    return 0;
}
