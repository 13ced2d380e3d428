#pragma once

#include "core/data/ColumnType.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <vector>

struct sqlite3;

struct ColumnDef {
    QString name;
    ColumnType type;
    QString caption; // what the user calls the column, used in messages
    bool autoKey = false;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;

    const ColumnDef* column(const QString& columnName) const;
};

// Every table of the database, as the windows expect it. Names are matched
// without regard to case, as the windows spell them in several ways.
class Schema {
public:
    // The version createStatements() builds; upgrades() carry a file from
    // there to the version this program writes.
    static constexpr int kVersion = 1;
    // "PELN": marks a file as a Pelorin database, so a foreign file is never touched.
    static constexpr int kApplicationId = 0x50454C4E;

    static const QList<TableDef>& tables();
    static const TableDef* table(const QString& name);
    static QStringList createStatements();
    // Step i brings a file from version kVersion + i to kVersion + i + 1. A
    // fresh file is built at kVersion and then takes the same steps.
    static std::vector<std::function<void(sqlite3*)>> upgrades();
};
