#include "core/stats/PivotResult.h"

std::optional<Money> PivotResult::cell(int row, int column) const
{
    if (!summed || row < 0 || column < 0 || size_t(row) >= m_rows.size() || size_t(column) >= m_columns.size()) {
        return std::nullopt;
    }
    const auto it = m_sums.find(crossing(m_rows[size_t(row)].node, m_columns[size_t(column)].node));
    if (it == m_sums.end()) {
        return std::nullopt;
    }
    return Money::fromUnits(it->second);
}
