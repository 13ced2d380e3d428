// Prints how long the data store's common operations take over a database
// with 100 000 income rows.
#include "BenchDatabase.h"
#include "BenchMeasure.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double medianMs(int runs, const std::function<void()>& work)
{
    return measureMs(runs, work).median;
}

void report(const char* what, double ms, double targetMs)
{
    std::printf("%-44s %9.2f ms   (target < %g ms)\n", what, ms, targetMs);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kRows = 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pel.dll"));
    fillIncome(path, kRows);
    std::printf("database: %d income rows\n", kRows);

    report("create dm and LoadParams", medianMs(20, [&] { Tdm data(path); }), 10);

    Tdm data(path);
    Query query(data.ADOConnection1());
    int rowCount = 0;
    const auto selectAll = [&] {
        query.setSql(QStringLiteral("select * from Income"));
        query.open();
        rowCount = query.rowCount();
    };
    report("select * from Income into a query", medianMs(10, selectAll), 150);
    std::printf("  rows read: %d\n", rowCount);

    Query writer(data.ADOConnection1());
    writer.setSql(QStringLiteral("select * from Income where oid = 0"));
    writer.open();
    const auto postOne = [&] {
        writer.append();
        writer.setValue(QStringLiteral("dt"), QStringLiteral("2026-12-11"));
        writer.setValue(QStringLiteral("leixing"), QStringLiteral("工资"));
        writer.setValue(QStringLiteral("ren"), QStringLiteral("我"));
        writer.setValue(QStringLiteral("miaoshu"), QStringLiteral("基准"));
        writer.setValue(QStringLiteral("jine"), QStringLiteral("1234.56"));
        writer.post();
    };
    report("post one record (durable)", medianMs(50, postOne), 10);
    return 0;
}
