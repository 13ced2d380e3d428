#pragma once

#include "core/data/SchemaMigrator.h"

#include <QString>

struct sqlite3;

// The program's one database connection. Like the desktop database it stands
// in for, it opens on the first statement that needs it and stays open.
// A missing file is created, readable by its owner only; a file that is not a
// Pelorin database, or a damaged one, is never changed: opening it fails with
// a message and leaves it as it was.
class Connection {
    Q_DISABLE_COPY_MOVE(Connection)

public:
    explicit Connection(QString filePath, SchemaMigrator migrator = {});
    ~Connection();

    QString filePath() const { return m_filePath; }

    bool isOpen() const { return m_db != nullptr; }

    // Opens on first use; throws DbError when the file cannot serve.
    sqlite3* handle();

    void close();

    // True when changes cannot be saved: the file or its folder cannot be
    // written. Opens the connection.
    bool isReadOnly();

private:
    void open();
    void createFile();
    void checkHeader();
    void checkIdentity();
    void registerFunctions();

    QString m_filePath;
    SchemaMigrator m_migrator;
    sqlite3* m_db = nullptr;
};
