#pragma once

#include "core/data/Connection.h"
#include "core/data/SchemaMigrator.h"
#include "core/data/Statement.h"

#include <QDate>
#include <QString>
#include <sqlite3.h>

// Fills a fresh pel.dll with income rows spread over ten years, in one
// transaction so that the benchmark starts quickly.
inline void fillIncome(const QString& path, int rows)
{
    Connection connection(path);
    sqlite3* db = connection.handle();
    SchemaMigrator::exec(db, QStringLiteral("BEGIN"));
    Statement insert(db, QStringLiteral("INSERT INTO Income (dt, leixing, ren, miaoshu, jine, beizhu) VALUES (?, ?, ?, "
                                        "?, ?, ?)"));
    const QStringList types = {QStringLiteral("工资"), QStringLiteral("奖金"), QStringLiteral("理财"),
                               QStringLiteral("兼职"), QStringLiteral("其他")};
    const QStringList people = {QStringLiteral("我"), QStringLiteral("爱人"), QStringLiteral("孩子")};
    const double today = double(QDate(1899, 12, 30).daysTo(QDate::currentDate()));
    for (int i = 0; i < rows; ++i) {
        insert.bind(1, today - double(i % 3650));
        insert.bind(2, types[i % types.size()]);
        insert.bind(3, people[i % people.size()]);
        insert.bind(4, QStringLiteral("第%1笔收入").arg(i));
        insert.bind(5, qlonglong(i % 100000) * 125);
        insert.bind(6, i % 7 == 0 ? QStringLiteral("备注内容") : QString());
        insert.step();
        insert.reset();
    }
    SchemaMigrator::exec(db, QStringLiteral("COMMIT"));
}
