// Prints how long a keystroke in the contacts list's search box takes over
// 100 000 listed contacts: the rows narrowed and the grid shown again, the
// pinyin table and the row index built beforehand (both printed too).
#include "books/TfrmDianhua.h"
#include "core/data/AppPaths.h"
#include "core/data/Connection.h"
#include "core/data/SchemaMigrator.h"
#include "core/data/Statement.h"
#include "core/data/Tdm.h"
#include "core/search/PinyinTable.h"
#include "forms/DataGrid.h"
#include "forms/MessageBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
void fillContacts(const QString& path, int rows)
{
    Connection connection(path);
    sqlite3* db = connection.handle();
    SchemaMigrator::exec(db, QStringLiteral("BEGIN"));
    Statement insert(db,
                     QStringLiteral("INSERT INTO Dianhua (xingming, leixing, xingbie, shouji, qq, email, addr, ord) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    const QString family = QStringLiteral("李王张刘陈杨赵黄周吴徐孙胡朱高林何郭马罗");
    const QString given = QStringLiteral("明华强伟芳娜敏静丽军勇杰涛超霞平刚桂英");
    const QStringList types = {QStringLiteral("家人"), QStringLiteral("朋友"), QStringLiteral("同事"),
                               QStringLiteral("客户")};
    for (int i = 0; i < rows; ++i) {
        const QString name =
            QString(family[i % family.size()]) + given[(i / 7) % given.size()] + given[(i / 3) % given.size()];
        insert.bind(1, name);
        insert.bind(2, types[i % types.size()]);
        insert.bind(3, i % 2 ? QStringLiteral("男") : QStringLiteral("女"));
        insert.bind(4, QStringLiteral("138%1").arg(i, 8, 10, QLatin1Char('0')));
        insert.bind(5, QString::number(100000 + i));
        insert.bind(6, QStringLiteral("user%1@example.com").arg(i));
        insert.bind(7, QStringLiteral("北京市海淀区中关村大街%1号").arg(i % 500));
        insert.bind(8, double(i));
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

    QElapsedTimer table;
    table.start();
    const int readings = PinyinTable::instance().size();
    std::printf("pinyin table from ICU: %d characters in %.0f ms (once per run, on a thread of its own)\n", readings,
                double(table.nsecsElapsed()) / 1e6);
    {
        TfrmDianhua list;
        list.show();
        // The rows are read when the box takes the focus (Ctrl+F or a click),
        // before the first keystroke.
        QElapsedTimer index;
        index.start();
        list.activateWindow();
        list.edtSearch->setFocus(Qt::ShortcutFocusReason);
        app.processEvents();
        std::printf("search box focused, reading %d rows into the search index: %.0f ms\n", kRows,
                    double(index.nsecsElapsed()) / 1e6);
        QElapsedTimer first;
        first.start();
        list.edtSearch->setText(QStringLiteral("l"));
        app.processEvents();
        std::printf("first keystroke: %.1f ms\n", double(first.nsecsElapsed()) / 1e6);

        // Typing "lm" then "l" again, and a search that finds nothing.
        const char* steps[] = {"lm", "l", "liming", "zzz", "北京", "13800099"};
        for (const char* typed : steps) {
            const QString text = QString::fromUtf8(typed);
            std::vector<double> times;
            for (int run = 0; run < 9; ++run) {
                list.edtSearch->setText(QString());
                app.processEvents();
                QElapsedTimer timer;
                timer.start();
                list.edtSearch->setText(text);
                app.processEvents();
                times.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
            std::sort(times.begin(), times.end());
            std::printf("keystroke to \"%s\": %.1f ms median (%.1f to %.1f), %d rows shown\n", typed,
                        times[times.size() / 2], times.front(), times.back(), int(list.cxGrid1->displayOrder().size()));
        }
    }
    delete dm;
    return 0;
}
