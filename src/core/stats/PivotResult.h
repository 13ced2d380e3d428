#pragma once

#include "core/data/Money.h"
#include "core/stats/PivotField.h"

#include <QList>
#include <QStringList>
#include <optional>
#include <unordered_map>
#include <vector>

// The pivot as the grid lays it out: the lines of the row axis and of the
// column axis in their order, with subtotal and grand-total lines, and the
// sum at each crossing.
class PivotResult {
public:
    enum class Kind { Value, Subtotal, Grand };

    struct Line {
        Kind kind = Kind::Grand;
        QStringList keys;  // the path of values, outermost first
        QStringList texts; // the same as shown
        // The first level whose value this line shows; the outer ones are the
        // previous line's, shown only once for their group.
        int firstLevel = 0;
        bool collapsed = false;
        int node = 0;

        int depth() const { return int(keys.size()); }
    };

    QList<PivotField> rowFields;
    QList<PivotField> columnFields;
    bool summed = false; // the amount stands in the data area

    const std::vector<Line>& rows() const { return m_rows; }

    const std::vector<Line>& columns() const { return m_columns; }

    // Nothing where no entry falls on the crossing or nothing is summed.
    std::optional<Money> cell(int row, int column) const;

    int sourceRows() const { return m_sourceRows; }

    // Whether a line's value at a level can be collapsed or expanded there.
    bool canToggle(const Line& line, int level, int fieldCount) const
    {
        return line.kind == Kind::Value && level < fieldCount - 1 && level < line.depth() && level >= line.firstLevel;
    }

private:
    friend class PivotEngine;

    static quint64 crossing(int rowNode, int columnNode)
    {
        return (quint64(quint32(rowNode)) << 32) | quint32(columnNode);
    }

    std::vector<Line> m_rows;
    std::vector<Line> m_columns;
    std::unordered_map<quint64, qint64> m_sums;
    int m_sourceRows = 0;
};
