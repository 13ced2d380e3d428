#include "core/data/Statement.h"

#include "core/data/CellStore.h"
#include "core/data/DbError.h"

#include <sqlite3.h>

Statement::Statement(sqlite3* db, const QString& sql)
    : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw DbError(QStringLiteral("SQL语句执行失败：%1\n%2").arg(reason, sql));
    }
    if (!m_stmt) {
        throw DbError(QStringLiteral("SQL语句为空。"));
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(int parameter, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, parameter);
    } else {
        switch (value.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::ULongLong:
        case QMetaType::UInt:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(m_stmt, parameter, value.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(m_stmt, parameter, value.toDouble());
            break;
        default: {
            const QByteArray utf8 = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, parameter, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK) {
        throw DbError(QStringLiteral("绑定参数失败：%1").arg(QString::fromUtf8(sqlite3_errmsg(m_db))));
    }
}

int Statement::parameterCount() const
{
    return sqlite3_bind_parameter_count(m_stmt);
}

QString Statement::parameterName(int parameter) const
{
    const char* name = sqlite3_bind_parameter_name(m_stmt, parameter);
    return name ? QString::fromUtf8(name) : QString();
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    const QString reason = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_reset(m_stmt);
    throw DbError(QStringLiteral("数据库操作失败：%1").arg(reason));
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QString Statement::declaredType(int column) const
{
    const char* declared = sqlite3_column_decltype(m_stmt, column);
    return declared ? QString::fromUtf8(declared) : QString();
}

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_NULL:
        return {};
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column)));
    }
    }
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

qint64 Statement::integerAt(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

void Statement::appendValueTo(int column, CellStore& store) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        store.appendInteger(sqlite3_column_int64(m_stmt, column));
        return;
    case SQLITE_FLOAT:
        store.appendReal(sqlite3_column_double(m_stmt, column));
        return;
    case SQLITE_NULL:
        store.appendNull();
        return;
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        store.appendText(text, sqlite3_column_bytes(m_stmt, column));
    }
    }
}
