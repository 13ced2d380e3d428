#pragma once

#include "core/data/ColumnType.h"

#include <QHash>
#include <QString>

// Translates the desktop-database dialect the windows write into SQLite:
// date literals between '#', now(), date(), year(), month(), day(), double-quoted
// string constants and bracketed names. Everything else passes unchanged,
// parameter markers (:name, ?) included, so bound values keep their places.
class SqlDialect {
public:
    struct Translation {
        QString sql;
        // Result columns whose type SQLite cannot report (aggregates, arithmetic),
        // by lower-case column name.
        QHash<QString, ColumnType> computedTypes;
        // The table a plain single-table select reads, so its rows can be edited;
        // empty for joins, unions and grouped statements.
        QString editableTable;
        // Where the top-level FROM of a select starts in sql, or -1.
        qsizetype fromOffset = -1;
    };

    // Throws DbError for a date literal that names no real date.
    static Translation translate(const QString& statement);

    // Names of the SQL functions the connection must provide (pel_now, ...).
    static QString functionPrefix() { return QStringLiteral("pel_"); }
};
