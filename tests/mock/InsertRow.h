#pragma once

#include "core/data/Query.h"

#include <QVariantMap>

// Adds one row to a table through the query, bound and converted as an editor
// saves it, and returns the row's oid.
inline int insertRow(Connection& connection, const QString& table, const QVariantMap& values)
{
    Query query(connection);
    query.setSql(QStringLiteral("select * from ") + table + QStringLiteral(" where oid = 0"));
    query.open();
    query.append();
    for (auto it = values.begin(); it != values.end(); ++it) {
        query.setValue(it.key(), it.value());
    }
    query.post();
    return query.asText(QStringLiteral("oid")).toInt();
}
