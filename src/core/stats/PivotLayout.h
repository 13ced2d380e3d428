#pragma once

#include "core/stats/PivotField.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>

enum class PivotArea { Filter, Row, Column, Data };

// Where the fields stand and how each is sorted and filtered, and which
// outer values are collapsed: the user's arrangement, kept apart from the
// rows so that it survives every refresh.
class PivotLayout {
public:
    // Dates, days and persons to filter, years and months down, types across,
    // the amount summed.
    static PivotLayout standard();

    QList<PivotField> fields(PivotArea area) const { return m_areas[size_t(area)]; }

    PivotArea area(PivotField field) const;
    int position(PivotField field) const;

    // Puts the field before the one now at position in the target area (the
    // drop marker's place); a position past the end appends.
    void move(PivotField field, PivotArea area, int position);

    bool descending(PivotField field) const { return m_descending[size_t(field)]; }

    void setDescending(PivotField field, bool descending) { m_descending[size_t(field)] = descending; }

    void toggleSort(PivotField field) { setDescending(field, !descending(field)); }

    // Values are named by their key (PivotSource::Value::key), so a filter
    // holds across refreshes that bring new values: those are shown.
    QSet<QString> hiddenValues(PivotField field) const { return m_hidden[size_t(field)]; }

    void setHiddenValues(PivotField field, const QSet<QString>& keys) { m_hidden[size_t(field)] = keys; }

    // A row or column value named by the keys from the outermost field down.
    bool isCollapsed(PivotArea axis, const QStringList& path) const;
    void setCollapsed(PivotArea axis, const QStringList& path, bool collapsed);

    bool operator==(const PivotLayout&) const = default;

private:
    static QString pathKey(const QStringList& path) { return path.join(QChar(0x1f)); }

    std::array<QList<PivotField>, 4> m_areas;
    std::array<bool, PivotFields::kCount> m_descending{};
    std::array<QSet<QString>, PivotFields::kCount> m_hidden;
    QSet<QString> m_collapsedRows;
    QSet<QString> m_collapsedColumns;
};
