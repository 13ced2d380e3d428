#pragma once

#include "core/stats/PivotField.h"

#include <QString>
#include <array>
#include <vector>

class Connection;

// The rows of a statistics statement held by column, each field's values
// numbered once (a dictionary), so that grouping works on small integers and
// a layout change never goes back to the database.
class PivotSource {
public:
    struct Value {
        bool null = false;
        qint64 number = 0; // the sort order of non-text values (day numbers scaled, amounts in units)
        QString key;       // exact, names the value in filters and collapsed paths
        QString text;      // as the grid shows it
    };

    // Runs the statement (in the program's dialect) and reads every row.
    // Throws DbError when it fails; the source is then empty.
    void load(Connection& connection, const QString& statement);

    void clear();

    int rowCount() const { return int(m_amounts.size()); }

    const std::vector<qint32>& ids(PivotField field) const
    {
        numberAmounts(field);
        return m_ids[size_t(field)];
    }

    const std::vector<Value>& values(PivotField field) const
    {
        numberAmounts(field);
        return m_values[size_t(field)];
    }

    // The amount of each row in ten-thousandths.
    const std::vector<qint64>& amounts() const { return m_amounts; }

private:
    // Amounts are nearly all distinct; they are numbered as values only when
    // the amount is grouped or filtered by, which only the spending window allows.
    void numberAmounts(PivotField field) const;

    mutable std::array<std::vector<qint32>, PivotFields::kCount> m_ids;
    mutable std::array<std::vector<Value>, PivotFields::kCount> m_values;
    mutable bool m_amountsNumbered = false;
    std::vector<qint64> m_amounts;
};
