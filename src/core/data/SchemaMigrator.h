#pragma once

#include <QString>
#include <functional>
#include <vector>

struct sqlite3;

// Brings a database file to the schema version this program expects. A fresh
// file is created from nothing; an older one is upgraded step by step, all in
// one transaction, so a failed upgrade leaves the user's file as it was.
class SchemaMigrator {
public:
    // Upgrades the schema from version (index + 1) to (index + 2).
    using Step = std::function<void(sqlite3*)>;

    SchemaMigrator(); // the program's own steps
    explicit SchemaMigrator(std::vector<Step> upgrades);

    int targetVersion() const;

    // Builds every table and the settings rows in an empty database.
    void createFresh(sqlite3* db) const;

    // Runs the steps from fromVersion up to targetVersion(); throws DbError and
    // rolls back when one fails.
    void upgrade(sqlite3* db, int fromVersion) const;

    static void exec(sqlite3* db, const QString& sql);

private:
    std::vector<Step> m_upgrades;
};
