#include "core/stats/PivotLayout.h"

PivotLayout PivotLayout::standard()
{
    PivotLayout layout;
    layout.m_areas[size_t(PivotArea::Filter)] = {PivotField::Dt, PivotField::D, PivotField::Ren};
    layout.m_areas[size_t(PivotArea::Row)] = {PivotField::Y, PivotField::M};
    layout.m_areas[size_t(PivotArea::Column)] = {PivotField::Leixing};
    layout.m_areas[size_t(PivotArea::Data)] = {PivotField::Jine};
    return layout;
}

PivotArea PivotLayout::area(PivotField field) const
{
    for (size_t i = 0; i < m_areas.size(); ++i) {
        if (m_areas[i].contains(field)) {
            return PivotArea(i);
        }
    }
    return PivotArea::Filter;
}

int PivotLayout::position(PivotField field) const
{
    return int(m_areas[size_t(area(field))].indexOf(field));
}

void PivotLayout::move(PivotField field, PivotArea target, int position)
{
    QList<PivotField>& from = m_areas[size_t(area(field))];
    QList<PivotField>& to = m_areas[size_t(target)];
    const qsizetype old = from.indexOf(field);
    if (&from == &to && old >= 0 && old < position) {
        --position; // the marker counted the field itself
    }
    if (old >= 0) {
        from.removeAt(old);
    }
    to.insert(qBound(0, position, int(to.size())), field);
    // Collapsed values name paths of the old arrangement; they mean nothing now.
    if (target == PivotArea::Row || &from == &m_areas[size_t(PivotArea::Row)]) {
        m_collapsedRows.clear();
    }
    if (target == PivotArea::Column || &from == &m_areas[size_t(PivotArea::Column)]) {
        m_collapsedColumns.clear();
    }
}

bool PivotLayout::isCollapsed(PivotArea axis, const QStringList& path) const
{
    return (axis == PivotArea::Row ? m_collapsedRows : m_collapsedColumns).contains(pathKey(path));
}

void PivotLayout::setCollapsed(PivotArea axis, const QStringList& path, bool collapsed)
{
    QSet<QString>& set = axis == PivotArea::Row ? m_collapsedRows : m_collapsedColumns;
    if (collapsed) {
        set.insert(pathKey(path));
    } else {
        set.remove(pathKey(path));
    }
}
