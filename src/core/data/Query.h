#pragma once

#include "core/data/CellStore.h"
#include "core/data/ColumnType.h"
#include "core/data/Money.h"

#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

class Connection;
class Statement;

// A window's query on the shared connection: it runs a statement in the
// program's SQL dialect, holds the rows of the result with a current row, and
// edits, appends, posts and deletes rows of the table a plain select reads.
// Values a user typed are always bound, never spliced into SQL text.
class Query {
    Q_DISABLE_COPY_MOVE(Query)

public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Query(Connection& connection);

    QString sql() const { return m_sql; }

    // A new statement; the values given for the previous one are dropped.
    void setSql(const QString& sql);

    // Values for the statement's parameters, written ":name" (given without the
    // colon) or "?" (counted from 1). They are bound through SQLite, never put
    // into the text. A date or date and time is bound as the column stores it,
    // an amount as ten-thousandths. Every parameter needs a value, and every
    // value a parameter, or open() and execSql() throw DbError.
    void setParam(const QString& name, const QVariant& value);
    void setParam(const QString& name, const Money& value);
    void setParam(int position, const QVariant& value);
    void setParams(const QVariantMap& values);

    void open();
    void close();
    void execSql();

    bool isActive() const { return m_state != State::Inactive; }

    State state() const { return m_state; }

    // Rows and the current row. recNo is 0-based; -1 when there is no row.
    int rowCount() const { return int(m_rowIds.size()); }

    int recNo() const { return m_recNo; }

    // The table's key of the current row (its rowid), or -1.
    qint64 currentKey() const { return eof() ? -1 : m_rowIds[size_t(m_recNo)]; }

    void setRecNo(int row);

    bool isEmpty() const { return m_rowIds.empty(); }

    bool eof() const { return m_recNo < 0 || m_recNo >= rowCount(); }

    void first();
    void next();

    int columnCount() const { return int(m_columns.size()); }

    QString columnName(int column) const { return m_columns[size_t(column)].name; }

    ColumnType columnType(int column) const { return m_columns[size_t(column)].type; }

    int columnIndex(const QString& name) const; // any case; -1 when absent

    // Values of the current row by column name. A missing column throws.
    QString asText(const QString& name) const;
    QDateTime asDateTime(const QString& name) const;
    double asNumber(const QString& name) const;
    Money asMoney(const QString& name) const;
    bool isNull(const QString& name) const;

    // Any row and column, for grids: formatted on demand.
    QString textAt(int row, int column) const;
    QVariant valueAt(int row, int column) const; // date columns as QDateTime, money as double

    QVariant storedValueAt(int row, int column) const { return m_cells.value(cellIndex(row, column)); }

    // Editing the table the statement reads.
    QString tableName() const { return m_table; }

    void edit();
    void append();
    // Converts the value as an edit control gives it (text, date, number) to the
    // column's type. An empty text stores NULL in a number, money or date column;
    // a value the column cannot take throws DbError naming the column and value,
    // and changes nothing.
    void setValue(const QString& name, const QVariant& value);
    void post();
    void cancel();
    void deleteCurrent();

    // Where a row read again went: from its old place (-1: it was not listed)
    // to its new one (-1: the statement no longer selects it).
    struct RowMove {
        int from = -1;
        int to = -1;
    };

    // After another query saved the row with this key: reads it again through
    // the statement last opened and puts it where running the statement anew
    // would list it, so a list need not read all its rows again. The current
    // row becomes the first, as after open(). Gives nothing, and changes
    // nothing, when the statement's order cannot be followed here (a computed
    // order, grouping, a join); then the caller opens the statement again.
    std::optional<RowMove> refreshKey(qint64 rowid);

private:
    struct Column {
        QString name;
        ColumnType type;
    };

    size_t cellIndex(int row, int column) const { return size_t(row) * m_columns.size() + size_t(column); }

    int requireColumn(const QString& name) const;
    void requireRow() const;
    void requireEditable() const;
    QVariant convert(int column, const QVariant& value) const;
    QString columnCaption(int column) const;
    void refreshRow(int row);
    void bindParams(Statement& statement, int extra = 0) const; // extra: trailing markers bound by the caller
    // Whether a listed row comes before the one read again (its cells, its key).
    bool comesBefore(int row, const CellStore& cells, qint64 rowid) const;
    static QVariant boundValue(const QVariant& value);

    Connection& m_connection;
    QString m_sql;
    QHash<QString, QVariant> m_named;
    QMap<int, QVariant> m_positional;
    QString m_table;
    State m_state = State::Inactive;
    std::vector<Column> m_columns;
    QHash<QString, int> m_columnByName; // lower-case name -> index
    CellStore m_cells;
    std::vector<qint64> m_rowIds;
    int m_recNo = -1;
    std::vector<bool> m_dirty;
    std::vector<QVariant> m_savedRow; // the row as it was before edit/append
    // How refreshKey() reads one row and where it puts it; empty when it cannot.
    QString m_keySql;

    struct SortKey {
        int column;
        bool descending;
    };

    std::vector<SortKey> m_order;
};
