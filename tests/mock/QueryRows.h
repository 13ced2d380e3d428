#pragma once

#include "core/data/Query.h"

#include <QStringList>

// The rows of a statement as the program shows them, one "a|b|c" line each,
// so a test can compare a whole table at once.
inline QStringList queryRows(Connection& connection, const QString& sql)
{
    Query query(connection);
    query.setSql(sql);
    query.open();
    QStringList rows;
    for (query.first(); !query.eof(); query.next()) {
        QStringList cells;
        for (int i = 0; i < query.columnCount(); ++i) {
            cells << query.textAt(query.recNo(), i);
        }
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}
