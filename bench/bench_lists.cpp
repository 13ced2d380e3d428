// Prints how long the contacts list takes to open over 100 000 contacts (query
// run and grid ready) and to export them to an .xls workbook.
#include "BenchDatabase.h"
#include "books/TfrmDianhua.h"
#include "books/TfrmIncome.h"
#include "core/data/AppPaths.h"
#include "core/data/Query.h"
#include "core/data/SchemaMigrator.h"
#include "core/data/Statement.h"
#include "core/data/Tdm.h"
#include "forms/FileDialog.h"
#include "forms/MessageBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
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
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    MessageBox::setTestMode(true);
    constexpr int kRows = 100000;
    QTemporaryDir dir;
    AppPaths::setProgramFolder(dir.path());
    fillContacts(dir.filePath(QStringLiteral("pel.dll")), kRows);
    dm = new Tdm;

    {
        Query query(dm->ADOConnection1());
        QElapsedTimer timer;
        timer.start();
        query.setSql(QStringLiteral("select * from Dianhua where 1=1 order by ord"));
        query.open();
        std::printf("%-44s %9.2f ms\n", "  of which the query alone", double(timer.nsecsElapsed()) / 1e6);
    }
    double openMs = 0;
    double exportMs = 0;
    constexpr int kRuns = 5;
    for (int run = 0; run < kRuns; ++run) {
        TfrmDianhua list;
        QElapsedTimer timer;
        timer.start();
        list.show();
        QCoreApplication::processEvents();
        openMs += double(timer.nsecsElapsed()) / 1e6;

        const QString path = dir.filePath(QStringLiteral("contacts.xls"));
        FileDialog::setNextFileName(path);
        timer.restart();
        list.btnToExcel->click();
        exportMs += double(timer.nsecsElapsed()) / 1e6;
        if (run == 0) {
            std::printf("contacts: %d rows, workbook %.1f MB\n", kRows, double(QFileInfo(path).size()) / 1e6);
        }
    }
    std::printf("%-44s %9.2f ms   (target < 200 ms)\n", "open the contacts list (query and grid)", openMs / kRuns);

    // The income list over 100 000 entries spread over ten years, opened with
    // its default range (180 days) and its footer.
    fillIncome(dir.filePath(QStringLiteral("pel.dll")), kRows);
    double incomeMs = 0;
    int shown = 0;
    for (int run = 0; run < kRuns; ++run) {
        TfrmIncome list;
        QElapsedTimer timer;
        timer.start();
        list.show();
        QCoreApplication::processEvents();
        incomeMs += double(timer.nsecsElapsed()) / 1e6;
        shown = list.query().rowCount();
    }
    std::printf("%-44s %9.2f ms   (target < 200 ms; %d rows in range)\n", "open the income list with its footer",
                incomeMs / kRuns, shown);
    std::printf("%-44s %9.2f ms   (target < 1000 ms)\n", "export the contacts to .xls", exportMs / kRuns);
    delete dm;
    return 0;
}
