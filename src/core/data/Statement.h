#pragma once

#include <QString>
#include <QVariant>

class CellStore;
struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement. Values bound and read are storage values:
// null, qlonglong, double or QString.
class Statement {
    Q_DISABLE_COPY_MOVE(Statement)

public:
    // Throws DbError when the text does not compile.
    Statement(sqlite3* db, const QString& sql);
    ~Statement();

    // SQLite counts bind parameters from 1 but result columns from 0.
    void bind(int parameter, const QVariant& value);
    int parameterCount() const;
    // The parameter as written (":name", "?3"); empty for a plain "?".
    QString parameterName(int parameter) const;
    bool step(); // true while a row is available; throws DbError on failure
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    QString declaredType(int column) const;
    QVariant value(int column) const;
    bool isNull(int column) const;
    qint64 integerAt(int column) const;
    // Appends the column's value without making a QString of it.
    void appendValueTo(int column, CellStore& store) const;

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
};
