#pragma once

#include "core/data/ColumnType.h"

#include <QHash>
#include <QList>
#include <QString>

// Translates the desktop-database dialect the windows write into SQLite:
// date literals between '#', now(), date(), year(), month(), day(), double-quoted
// string constants and bracketed names. Everything else passes unchanged,
// parameter markers (:name, ?) included, so bound values keep their places.
// A plain "year(dt) >= 2020" (or >, <, <=, =) becomes a range of dt, so that
// no function runs per row.
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

        // The top-level ORDER BY, when it names result columns only (each
        // ascending or descending) and nothing follows it; simpleOrder is also
        // true without one. orderOffset is where it starts in sql, or -1.
        struct SortKey {
            QString column;
            bool descending = false;
        };

        QList<SortKey> orderBy;
        bool simpleOrder = false;
        qsizetype orderOffset = -1;
    };

    // Throws DbError for a date literal that names no real date.
    static Translation translate(const QString& statement);

    // Names of the SQL functions the connection must provide (pel_now, ...).
    static QString functionPrefix() { return QStringLiteral("pel_"); }
};
