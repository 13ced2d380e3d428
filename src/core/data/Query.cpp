#include "core/data/Query.h"

#include "core/data/ColumnValue.h"
#include "core/data/Connection.h"
#include "core/data/DayNumber.h"
#include "core/data/DbError.h"
#include "core/data/Schema.h"
#include "core/data/SqlDialect.h"
#include "core/data/Statement.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace {
const QString kRowIdColumn = QStringLiteral("pel_rowid");

QString quoted(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString shortened(const QString& text)
{
    constexpr int kShown = 30;
    // A NUL would cut the message where it stands; show it as a visible sign.
    const QString visible = QString(text).replace(QChar(0), QChar(0x2400));
    return visible.size() > kShown ? visible.left(kShown) + QStringLiteral("…") : visible;
}
} // namespace

Query::Query(Connection& connection)
    : m_connection(connection)
{
}

void Query::setSql(const QString& sql)
{
    close();
    m_sql = sql;
    m_named.clear();
    m_positional.clear();
}

QVariant Query::boundValue(const QVariant& value)
{
    if (value.isNull()) {
        return {};
    }
    switch (value.typeId()) {
    case QMetaType::QDate:
        return DayNumber::fromDate(value.toDate());
    case QMetaType::QDateTime:
        return DayNumber::fromDateTime(value.toDateTime());
    default:
        return value;
    }
}

void Query::setParam(const QString& name, const QVariant& value)
{
    m_named.insert(name, boundValue(value));
}

void Query::setParam(const QString& name, const Money& value)
{
    m_named.insert(name, QVariant(qlonglong(value.units())));
}

void Query::setParam(int position, const QVariant& value)
{
    m_positional.insert(position, boundValue(value));
}

void Query::setParams(const QVariantMap& values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        setParam(it.key(), it.value());
    }
}

void Query::bindParams(Statement& statement, int extra) const
{
    QSet<QString> used;
    for (int i = 1; i <= statement.parameterCount() - extra; ++i) {
        const QString marker = statement.parameterName(i);
        const bool named = !marker.isEmpty() && marker[0] != QLatin1Char('?');
        const QString name = named ? marker.mid(1) : QString();
        if (named ? !m_named.contains(name) : !m_positional.contains(i)) {
            throw DbError(QStringLiteral("语句的参数“%1”没有给出值。").arg(named ? marker : QString::number(i)));
        }
        used.insert(name);
        statement.bind(i, named ? m_named.value(name) : m_positional.value(i));
    }
    for (auto it = m_named.cbegin(); it != m_named.cend(); ++it) {
        if (!used.contains(it.key())) {
            throw DbError(QStringLiteral("语句中没有参数“:%1”。").arg(it.key()));
        }
    }
}

void Query::close()
{
    m_state = State::Inactive;
    m_columns.clear();
    m_columnByName.clear();
    m_cells.clear();
    m_rowIds.clear();
    m_dirty.clear();
    m_savedRow.clear();
    m_table.clear();
    m_recNo = -1;
    m_keySql.clear();
    m_order.clear();
}

void Query::open()
{
    close();
    SqlDialect::Translation translation = SqlDialect::translate(m_sql);
    QString sql = translation.sql;
    const bool editable = !translation.editableTable.isEmpty() && translation.fromOffset > 0;
    const QString rowIdItem = QStringLiteral(", rowid AS ") + kRowIdColumn + QLatin1Char(' ');
    if (editable) {
        sql.insert(translation.fromOffset, rowIdItem);
    }
    // Rows of equal keys come by their key, so that refreshKey() knows where
    // a saved row goes among them. An index on the sort column holds the key
    // last, so the engine still reads in order without sorting.
    const bool followable = editable && translation.simpleOrder;
    const QString unordered = translation.orderOffset < 0 ? sql : sql.left(translation.orderOffset + rowIdItem.size());
    if (followable) {
        const bool descending = !translation.orderBy.isEmpty() && translation.orderBy.last().descending;
        sql += translation.orderOffset < 0 ? QStringLiteral(" ORDER BY rowid") : QStringLiteral(", rowid");
        if (descending) {
            sql += QStringLiteral(" DESC");
        }
    }
    Statement statement(m_connection.handle(), sql);
    bindParams(statement);
    const int count = statement.columnCount() - (editable ? 1 : 0);
    m_columns.reserve(size_t(count));
    m_cells.setColumnCount(count);
    for (int i = 0; i < count; ++i) {
        Column column{statement.columnName(i), ColumnType::fromDeclared(statement.declaredType(i))};
        if (column.type.kind == ColumnKind::Unknown) {
            column.type = translation.computedTypes.value(column.name.toLower(), column.type);
        }
        m_columnByName.insert(column.name.toLower(), i);
        m_columns.push_back(column);
    }
    while (statement.step()) {
        for (int i = 0; i < count; ++i) {
            statement.appendValueTo(i, m_cells);
        }
        m_rowIds.push_back(editable ? statement.integerAt(count) : -1);
    }
    m_table = editable ? translation.editableTable : QString();
    if (followable) {
        for (const SqlDialect::Translation::SortKey& key : translation.orderBy) {
            const int column = columnIndex(key.column);
            if (column < 0) {
                m_order.clear();
                break;
            }
            m_order.push_back({column, key.descending});
        }
        if (m_order.size() == size_t(translation.orderBy.size())) {
            m_keySql = QStringLiteral("SELECT * FROM (") + unordered + QStringLiteral(") WHERE ") + kRowIdColumn +
                       QStringLiteral(" = ?");
        }
    }
    m_state = State::Browse;
    m_recNo = m_rowIds.empty() ? -1 : 0;
}

void Query::execSql()
{
    close();
    const SqlDialect::Translation translation = SqlDialect::translate(m_sql);
    Statement statement(m_connection.handle(), translation.sql);
    bindParams(statement);
    while (statement.step()) {
    }
}

void Query::setRecNo(int row)
{
    if (row < 0 || row >= rowCount()) {
        throw DbError(QStringLiteral("记录号%1超出范围。").arg(row + 1));
    }
    m_recNo = row;
}

void Query::first()
{
    m_recNo = m_rowIds.empty() ? -1 : 0;
}

void Query::next()
{
    if (m_recNo < rowCount()) {
        ++m_recNo;
    }
}

int Query::columnIndex(const QString& name) const
{
    return m_columnByName.value(name.toLower(), -1);
}

int Query::requireColumn(const QString& name) const
{
    const int index = columnIndex(name);
    if (index < 0) {
        throw DbError(QStringLiteral("字段“%1”不存在。").arg(name));
    }
    return index;
}

void Query::requireRow() const
{
    if (m_state == State::Inactive) {
        throw DbError(QStringLiteral("查询未打开。"));
    }
    if (eof()) {
        throw DbError(QStringLiteral("没有当前记录。"));
    }
}

void Query::requireEditable() const
{
    if (m_state == State::Inactive) {
        throw DbError(QStringLiteral("查询未打开。"));
    }
    if (m_table.isEmpty()) {
        throw DbError(QStringLiteral("该查询的结果不能修改。"));
    }
}

QString Query::asText(const QString& name) const
{
    const int column = requireColumn(name);
    return eof() ? QString() : textAt(m_recNo, column);
}

QDateTime Query::asDateTime(const QString& name) const
{
    const int column = requireColumn(name);
    if (eof()) {
        return {};
    }
    const QVariant stored = m_cells.value(cellIndex(m_recNo, column));
    if (stored.isNull()) {
        return {};
    }
    if (stored.typeId() == QMetaType::QString) {
        return DayNumber::parse(stored.toString());
    }
    return DayNumber::toDateTime(stored.toDouble());
}

double Query::asNumber(const QString& name) const
{
    const int column = requireColumn(name);
    if (eof()) {
        return 0;
    }
    const QVariant stored = m_cells.value(cellIndex(m_recNo, column));
    if (m_columns[size_t(column)].type.kind == ColumnKind::Money && stored.typeId() == QMetaType::LongLong) {
        return Money::fromUnits(stored.toLongLong()).toDouble();
    }
    return stored.toDouble();
}

Money Query::asMoney(const QString& name) const
{
    const int column = requireColumn(name);
    if (eof()) {
        return {};
    }
    const QVariant stored = m_cells.value(cellIndex(m_recNo, column));
    if (m_columns[size_t(column)].type.kind == ColumnKind::Money && stored.typeId() == QMetaType::LongLong) {
        return Money::fromUnits(stored.toLongLong());
    }
    return Money::parse(ColumnValue::format({ColumnKind::Unknown, 0}, stored)).value_or(Money());
}

bool Query::isNull(const QString& name) const
{
    const int column = requireColumn(name);
    return eof() || m_cells.isNull(cellIndex(m_recNo, column));
}

QString Query::textAt(int row, int column) const
{
    return ColumnValue::format(m_columns[size_t(column)].type, m_cells.value(cellIndex(row, column)));
}

QVariant Query::valueAt(int row, int column) const
{
    const QVariant stored = m_cells.value(cellIndex(row, column));
    const ColumnType type = m_columns[size_t(column)].type;
    if (stored.isNull() || stored.typeId() == QMetaType::QString) {
        return stored;
    }
    switch (type.kind) {
    case ColumnKind::Date:
        return DayNumber::toDateTime(stored.toDouble()).date();
    case ColumnKind::DateTime:
        return DayNumber::toDateTime(stored.toDouble());
    case ColumnKind::Money:
        return stored.typeId() == QMetaType::LongLong ? Money::fromUnits(stored.toLongLong()).toDouble()
                                                      : stored.toDouble() / double(Money::kScale);
    default:
        return stored;
    }
}

void Query::edit()
{
    requireEditable();
    requireRow();
    if (m_state == State::Insert) {
        throw DbError(QStringLiteral("新记录尚未保存。"));
    }
    if (m_state == State::Browse) {
        const size_t begin = cellIndex(m_recNo, 0);
        m_savedRow.clear();
        for (size_t i = 0; i < m_columns.size(); ++i) {
            m_savedRow.push_back(m_cells.value(begin + i));
        }
        m_dirty.assign(m_columns.size(), false);
        m_state = State::Edit;
    }
}

void Query::append()
{
    requireEditable();
    if (m_state != State::Browse) {
        cancel();
    }
    m_cells.resize(m_cells.size() + m_columns.size());
    m_rowIds.push_back(-1);
    m_recNo = rowCount() - 1;
    m_dirty.assign(m_columns.size(), false);
    m_state = State::Insert;
}

QString Query::columnCaption(int column) const
{
    const QString name = m_columns[size_t(column)].name;
    if (const TableDef* table = Schema::table(m_table)) {
        if (const ColumnDef* def = table->column(name)) {
            return def->caption;
        }
    }
    return name;
}

QVariant Query::convert(int column, const QVariant& value) const
{
    QString reason;
    const std::optional<QVariant> stored = ColumnValue::toStored(m_columns[size_t(column)].type, value, &reason);
    if (!stored) {
        const QString shown = value.toString();
        throw DbError(QStringLiteral("“%1”不能保存为“%2”：%3。").arg(columnCaption(column), shortened(shown), reason));
    }
    return *stored;
}

void Query::setValue(const QString& name, const QVariant& value)
{
    if (m_state != State::Edit && m_state != State::Insert) {
        throw DbError(QStringLiteral("记录不在编辑状态，不能修改。"));
    }
    const int column = requireColumn(name);
    const QVariant stored = convert(column, value);
    m_cells.set(cellIndex(m_recNo, column), stored);
    m_dirty[size_t(column)] = true;
}

void Query::post()
{
    if (m_state != State::Edit && m_state != State::Insert) {
        return;
    }
    sqlite3* db = m_connection.handle();
    QStringList names;
    QList<QVariant> values;
    for (int i = 0; i < columnCount(); ++i) {
        if (m_dirty[size_t(i)]) {
            names << quoted(m_columns[size_t(i)].name);
            values << m_cells.value(cellIndex(m_recNo, i));
        }
    }
    if (m_state == State::Insert) {
        QString sql = QStringLiteral("INSERT INTO ") + quoted(m_table);
        if (names.isEmpty()) {
            sql += QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList marks(names.size(), QStringLiteral("?"));
            sql += QStringLiteral(" (") + names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                   marks.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        Statement statement(db, sql);
        for (int i = 0; i < values.size(); ++i) {
            statement.bind(i + 1, values[i]);
        }
        statement.step();
        m_rowIds[size_t(m_recNo)] = sqlite3_last_insert_rowid(db);
    } else if (!names.isEmpty()) {
        Statement statement(db, QStringLiteral("UPDATE ") + quoted(m_table) + QStringLiteral(" SET ") +
                                    names.join(QStringLiteral(" = ?, ")) + QStringLiteral(" = ? WHERE rowid = ?"));
        for (int i = 0; i < values.size(); ++i) {
            statement.bind(i + 1, values[i]);
        }
        statement.bind(int(values.size()) + 1, m_rowIds[size_t(m_recNo)]);
        statement.step();
        if (sqlite3_changes(db) == 0) {
            throw DbError(QStringLiteral("要修改的记录已不存在。"));
        }
    }
    m_state = State::Browse;
    m_dirty.clear();
    m_savedRow.clear();
    refreshRow(m_recNo);
}

void Query::refreshRow(int row)
{
    Statement statement(m_connection.handle(),
                        QStringLiteral("SELECT * FROM ") + quoted(m_table) + QStringLiteral(" WHERE rowid = ?"));
    statement.bind(1, m_rowIds[size_t(row)]);
    if (!statement.step()) {
        return;
    }
    for (int i = 0; i < statement.columnCount(); ++i) {
        const int column = columnIndex(statement.columnName(i));
        if (column >= 0) {
            m_cells.set(cellIndex(row, column), statement.value(i));
        }
    }
}

void Query::cancel()
{
    if (m_state == State::Insert) {
        m_cells.resize(m_cells.size() - m_columns.size());
        m_rowIds.pop_back();
        m_recNo = m_rowIds.empty() ? -1 : qMin(m_recNo, rowCount() - 1);
    } else if (m_state == State::Edit) {
        for (size_t i = 0; i < m_savedRow.size(); ++i) {
            m_cells.set(cellIndex(m_recNo, 0) + i, m_savedRow[i]);
        }
    }
    if (m_state == State::Insert || m_state == State::Edit) {
        m_state = State::Browse;
    }
    m_dirty.clear();
    m_savedRow.clear();
}

void Query::deleteCurrent()
{
    requireEditable();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    requireRow();
    cancel();
    Statement statement(m_connection.handle(),
                        QStringLiteral("DELETE FROM ") + quoted(m_table) + QStringLiteral(" WHERE rowid = ?"));
    statement.bind(1, m_rowIds[size_t(m_recNo)]);
    statement.step();
    m_cells.erase(cellIndex(m_recNo, 0), m_columns.size());
    m_rowIds.erase(m_rowIds.begin() + m_recNo);
    if (m_recNo >= rowCount()) {
        m_recNo = rowCount() - 1;
    }
}

bool Query::comesBefore(int row, const CellStore& cells, qint64 rowid) const
{
    for (const SortKey& key : m_order) {
        const int order = m_cells.compare(cellIndex(row, key.column), cells, size_t(key.column));
        if (order != 0) {
            return key.descending ? order > 0 : order < 0;
        }
    }
    // Equal keys come in the order of the index that serves the sort, whose
    // entries end in the key: read backwards for a descending sort.
    const bool descending = !m_order.empty() && m_order.back().descending;
    return descending ? m_rowIds[size_t(row)] > rowid : m_rowIds[size_t(row)] < rowid;
}

std::optional<Query::RowMove> Query::refreshKey(qint64 rowid)
{
    if (m_state != State::Browse || m_keySql.isEmpty()) {
        return std::nullopt;
    }
    Statement statement(m_connection.handle(), m_keySql);
    bindParams(statement, 1);
    statement.bind(statement.parameterCount(), rowid);
    CellStore cells;
    cells.setColumnCount(columnCount());
    const bool selected = statement.step();
    if (selected) {
        for (int i = 0; i < columnCount(); ++i) {
            statement.appendValueTo(i, cells);
        }
    }
    RowMove move;
    const auto found = std::find(m_rowIds.begin(), m_rowIds.end(), rowid);
    if (found != m_rowIds.end()) {
        move.from = int(found - m_rowIds.begin());
        m_cells.erase(cellIndex(move.from, 0), m_columns.size());
        m_rowIds.erase(found);
    }
    if (selected) {
        // The rows are in the statement's order: find the first that comes after.
        int low = 0;
        int high = rowCount();
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (comesBefore(middle, cells, rowid)) {
                low = middle + 1;
            } else {
                high = middle;
            }
        }
        move.to = low;
        m_cells.insert(cellIndex(move.to, 0), cells, 0, m_columns.size());
        m_rowIds.insert(m_rowIds.begin() + move.to, rowid);
    }
    m_recNo = m_rowIds.empty() ? -1 : 0;
    return move;
}
