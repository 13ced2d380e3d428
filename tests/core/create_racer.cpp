// Opens (and so creates) the database given as its first argument as soon as
// the file given as its second argument exists, and prints "ok" or the error.
// Several of them started together race to create one database; used by
// tst_databasefile.
#include "core/data/Connection.h"
#include "core/data/DbError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        return 2;
    }
    const QString go = QString::fromLocal8Bit(argv[2]);
    const QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(go) && !deadline.hasExpired()) {
        QThread::usleep(200);
    }
    Connection connection(QString::fromLocal8Bit(argv[1]));
    try {
        connection.handle();
        std::printf("ok\n");
    } catch (const DbError& error) {
        std::printf("%s\n", error.message().toUtf8().constData());
    }
    return 0;
}
