#pragma once

#include <QString>

// What the first hundred bytes of a database file say about it, read without
// the database engine: whether it is an SQLite file at all, whose it is, and
// whether the file is shorter than its header promises (cut off by a failed
// copy or a full disk).
class DatabaseHeader {
public:
    explicit DatabaseHeader(const QString& path);

    bool isSqlite() const { return m_sqlite; }

    int applicationId() const { return m_applicationId; }

    bool isTruncated() const { return m_truncated; }

private:
    bool m_sqlite = false;
    int m_applicationId = 0;
    bool m_truncated = false;
};
