// Writes income records in a loop and prints each key once its post has
// returned, until it is killed. Used by tst_durability.
#include "core/data/Connection.h"
#include "core/data/Query.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    Connection connection(QString::fromLocal8Bit(argv[1]));
    Query query(connection);
    query.setSql(QStringLiteral("select * from Income where 1=0"));
    query.open();
    for (int i = 0;; ++i) {
        query.append();
        query.setValue(QStringLiteral("dt"), QStringLiteral("2026-12-11"));
        query.setValue(QStringLiteral("leixing"), QStringLiteral("工资"));
        query.setValue(QStringLiteral("miaoshu"), QStringLiteral("第%1笔").arg(i));
        query.setValue(QStringLiteral("jine"), QStringLiteral("%1.25").arg(i));
        query.setValue(QStringLiteral("beizhu"), QString(200 + i % 500, QChar(0x5907)));
        query.post();
        std::printf("%s\n", qPrintable(query.asText(QStringLiteral("oid"))));
        std::fflush(stdout);
    }
}
