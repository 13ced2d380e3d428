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
// numbers (years, months, days) index an array, and so do whole days near the
// first one seen; the rest go through a hash. The previous row's value is
// checked first since rows come in runs.
class NumberIds {
public:
    static constexpr qint64 kDirect = 4096;
    static constexpr qint64 kDay = 86400000; // day keys are in milliseconds
    static constexpr qint64 kDayWindow = 65536;

    template <typename NewValue> qint32 id(qint64 value, NewValue&& add)
    {
        if (value == m_last && m_lastId >= 0) {
            return m_lastId;
        }
        qint32* slot = nullptr;
        if (value >= 0 && value < kDirect) {
            if (m_direct.empty()) {
                m_direct.assign(size_t(kDirect), -1);
            }
            slot = &m_direct[size_t(value)];
        } else if (value % kDay == 0) {
            if (m_days.empty()) {
                m_dayBase = value / kDay - kDayWindow / 2;
                m_days.assign(size_t(kDayWindow), -1);
            }
            const qint64 at = value / kDay - m_dayBase;
            if (at >= 0 && at < kDayWindow) {
                slot = &m_days[size_t(at)];
            }
        }
        qint32 found;
        if (slot) {
            if (*slot < 0) {
                *slot = add(value);
            }
            found = *slot;
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
    std::vector<qint32> m_days;
    qint64 m_dayBase = 0;
    std::unordered_map<qint64, qint32> m_hashed;
    qint64 m_last = 0;
    qint32 m_lastId = -1;
};

// Types and persons are few: the first ones are found by a short scan, the
// rest through a hash.
class TextIds {
public:
    static constexpr size_t kScanned = 16;

    template <typename NewValue> qint32 id(const char* text, int length, NewValue&& add)
    {
        const auto same = [text, length](const std::string& known) {
            return known.size() == size_t(length) && std::memcmp(text, known.data(), size_t(length)) == 0;
        };
        for (size_t i = 0; i < m_scanned.size(); ++i) {
            if (same(m_scanned[i])) {
                return qint32(m_scannedIds[i]);
            }
        }
        m_key.assign(text, size_t(length));
        auto it = m_ids.find(m_key);
        if (it == m_ids.end()) {
            it = m_ids.emplace(m_key, add(m_key)).first;
            if (m_scanned.size() < kScanned) {
                m_scanned.push_back(m_key);
                m_scannedIds.push_back(it->second);
            }
        }
        return it->second;
    }

private:
    std::vector<std::string> m_scanned;
    std::vector<qint32> m_scannedIds;
    std::unordered_map<std::string, qint32> m_ids;
    std::string m_key;
};

// NULL gets a key of its own that no text or number can have.
constexpr qint64 kNullNumber = std::numeric_limits<qint64>::min();

qint64 amountUnits(sqlite3_value* cell)
{
    switch (sqlite3_value_type(cell)) {
    case SQLITE_INTEGER:
        return sqlite3_value_int64(cell);
    case SQLITE_FLOAT:
        return std::llround(sqlite3_value_double(cell) * double(Money::kScale));
    case SQLITE_TEXT: {
        const QString text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(cell)));
        return Money::parse(text).value_or(Money()).units();
    }
    default:
        return 0;
    }
}

// Day numbers keep their time of day to the millisecond.
qint64 dayKey(sqlite3_value* cell)
{
    switch (sqlite3_value_type(cell)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return std::llround(sqlite3_value_double(cell) * 86400000.0);
    case SQLITE_TEXT: {
        const QDateTime parsed =
            DayNumber::parse(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(cell))));
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
    m_amountsNumbered = false;
}

void PivotSource::numberAmounts(PivotField field) const
{
    if (field != PivotField::Jine || m_amountsNumbered) {
        return;
    }
    m_amountsNumbered = true;
    std::vector<qint32>& ids = m_ids[size_t(PivotField::Jine)];
    std::vector<Value>& values = m_values[size_t(PivotField::Jine)];
    ids.clear();
    values.clear();
    ids.reserve(m_amounts.size());
    NumberIds numbers;
    const auto add = [&values](qint64 units) {
        values.push_back(numberValue(PivotField::Jine, units));
        return qint32(values.size() - 1);
    };
    for (qint64 units : m_amounts) {
        ids.push_back(numbers.id(units, add));
    }
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

    // One call into SQLite per cell: each takes the connection's lock, the
    // values read from the cell do not.
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        for (PivotField field : PivotFields::all()) {
            const size_t f = size_t(field);
            sqlite3_value* cell = sqlite3_column_value(statement, columns[f]);
            qint32 id;
            if (PivotFields::isText(field)) {
                // NULL and empty text show alike and are one value.
                const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(cell));
                id = textIds[f].id(text ? text : "", text ? sqlite3_value_bytes(cell) : 0, addText(field));
            } else if (field == PivotField::Jine) {
                m_amounts.push_back(amountUnits(cell));
                continue;
            } else if (field == PivotField::Dt) {
                id = numberIds[f].id(dayKey(cell), addNumber(field));
            } else {
                const qint64 number = sqlite3_value_type(cell) == SQLITE_NULL ? kNullNumber : sqlite3_value_int64(cell);
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
