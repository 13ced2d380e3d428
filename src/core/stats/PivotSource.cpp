#include "core/stats/PivotSource.h"

#include "core/data/ColumnType.h"
#include "core/data/ColumnValue.h"
#include "core/data/Connection.h"
#include "core/data/DayNumber.h"
#include "core/data/DbError.h"
#include "core/data/Money.h"
#include "core/data/SqlDialect.h"

#include <cmath>
#include <cstring>
#include <sqlite3.h>
#include <string>
#include <unordered_map>

namespace {
// Numbers each distinct 64-bit value in order of appearance. Small whole
// numbers (years, months, days) index an array; the rest go through a hash,
// with the previous row's value checked first since rows come in runs.
class NumberIds {
public:
    static constexpr qint64 kDirect = 4096;

    template <typename NewValue> qint32 id(qint64 value, NewValue&& add)
    {
        if (value == m_last && m_lastId >= 0) {
            return m_lastId;
        }
        qint32 found;
        if (value >= 0 && value < kDirect) {
            if (m_direct.empty()) {
                m_direct.assign(size_t(kDirect), -1);
            }
            qint32& slot = m_direct[size_t(value)];
            if (slot < 0) {
                slot = add(value);
            }
            found = slot;
        } else {
            auto it = m_hashed.find(value);
            if (it == m_hashed.end()) {
                it = m_hashed.emplace(value, add(value)).first;
            }
            found = it->second;
        }
        m_last = value;
        m_lastId = found;
        return found;
    }

private:
    std::vector<qint32> m_direct;
    std::unordered_map<qint64, qint32> m_hashed;
    qint64 m_last = 0;
    qint32 m_lastId = -1;
};

class TextIds {
public:
    template <typename NewValue> qint32 id(const char* text, int length, NewValue&& add)
    {
        if (m_lastId >= 0 && size_t(length) == m_last.size() && std::memcmp(text, m_last.data(), size_t(length)) == 0) {
            return m_lastId;
        }
        m_last.assign(text, size_t(length));
        auto it = m_ids.find(m_last);
        if (it == m_ids.end()) {
            it = m_ids.emplace(m_last, add(m_last)).first;
        }
        m_lastId = it->second;
        return m_lastId;
    }

private:
    std::unordered_map<std::string, qint32> m_ids;
    std::string m_last;
    qint32 m_lastId = -1;
};

// NULL gets a key of its own that no text or number can have.
constexpr qint64 kNullNumber = std::numeric_limits<qint64>::min();

qint64 amountUnits(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return sqlite3_column_int64(statement, column);
    case SQLITE_FLOAT:
        return std::llround(sqlite3_column_double(statement, column) * double(Money::kScale));
    case SQLITE_TEXT: {
        const QString text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
        return Money::parse(text).value_or(Money()).units();
    }
    default:
        return 0;
    }
}

// Day numbers keep their time of day to the millisecond.
qint64 dayKey(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return std::llround(sqlite3_column_double(statement, column) * 86400000.0);
    case SQLITE_TEXT: {
        const QDateTime parsed =
            DayNumber::parse(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column))));
        return parsed.isValid() ? std::llround(DayNumber::fromDateTime(parsed) * 86400000.0) : kNullNumber;
    }
    default:
        return kNullNumber;
    }
}

PivotSource::Value numberValue(PivotField field, qint64 number)
{
    PivotSource::Value value;
    value.number = number;
    if (number == kNullNumber) {
        value.null = true;
        return value;
    }
    switch (field) {
    case PivotField::Dt:
        value.text = ColumnValue::format({ColumnKind::DateTime, 0}, double(number) / 86400000.0);
        break;
    case PivotField::Jine:
        value.text = Money::fromUnits(number).toFixed(2);
        value.key = Money::fromUnits(number).toString();
        return value;
    default:
        value.text = QString::number(number);
    }
    value.key = value.text;
    return value;
}
} // namespace

void PivotSource::clear()
{
    for (auto& ids : m_ids) {
        ids.clear();
    }
    for (auto& values : m_values) {
        values.clear();
    }
    m_amounts.clear();
}

void PivotSource::load(Connection& connection, const QString& statementText)
{
    clear();
    const QByteArray sql = SqlDialect::translate(statementText).sql.toUtf8();
    sqlite3* db = connection.handle();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK) {
        throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    std::array<int, PivotFields::kCount> columns;
    for (PivotField field : PivotFields::all()) {
        columns[size_t(field)] = -1;
        const QString name = PivotFields::columnName(field);
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            if (QString::fromUtf8(sqlite3_column_name(statement, i)).compare(name, Qt::CaseInsensitive) == 0) {
                columns[size_t(field)] = i;
            }
        }
        if (columns[size_t(field)] < 0) {
            sqlite3_finalize(statement);
            throw DbError(QStringLiteral("字段“%1”不存在。").arg(name));
        }
    }

    std::array<NumberIds, PivotFields::kCount> numberIds;
    std::array<TextIds, PivotFields::kCount> textIds;
    const auto addNumber = [this](PivotField field) {
        return [this, field](qint64 number) {
            m_values[size_t(field)].push_back(numberValue(field, number));
            return qint32(m_values[size_t(field)].size() - 1);
        };
    };
    const auto addText = [this](PivotField field) {
        return [this, field](const std::string& text) {
            Value value;
            value.text = QString::fromUtf8(text.data(), qsizetype(text.size()));
            value.key = value.text;
            m_values[size_t(field)].push_back(value);
            return qint32(m_values[size_t(field)].size() - 1);
        };
    };

    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        for (PivotField field : PivotFields::all()) {
            const size_t f = size_t(field);
            const int column = columns[f];
            qint32 id;
            if (PivotFields::isText(field)) {
                // NULL and empty text show alike and are one value.
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
                id =
                    textIds[f].id(text ? text : "", text ? sqlite3_column_bytes(statement, column) : 0, addText(field));
            } else if (field == PivotField::Jine) {
                const qint64 units = amountUnits(statement, column);
                m_amounts.push_back(units);
                id = numberIds[f].id(units, addNumber(field));
            } else if (field == PivotField::Dt) {
                id = numberIds[f].id(dayKey(statement, column), addNumber(field));
            } else {
                const qint64 number = sqlite3_column_type(statement, column) == SQLITE_NULL
                                          ? kNullNumber
                                          : sqlite3_column_int64(statement, column);
                id = numberIds[f].id(number, addNumber(field));
            }
            m_ids[f].push_back(id);
        }
    }
    const QString error = rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(statement);
    if (!error.isEmpty()) {
        clear();
        throw DbError(error);
    }
}
