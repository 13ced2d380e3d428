#include "forms/GridSearchProxy.h"

#include "forms/QueryGridModel.h"

GridSearchProxy::GridSearchProxy(QueryGridModel* source, QObject* parent)
    : QSortFilterProxyModel(parent)
    , m_source(source)
{
    setRecursiveFilteringEnabled(true);
    setDynamicSortFilter(false);
    setSourceModel(source);
    connect(source, &QAbstractItemModel::modelReset, this, [this] { m_counts.clear(); });
}

void GridSearchProxy::setShownRows(std::vector<char> rows)
{
    // A reset, not a filter change: a filter change tells the view of every
    // removed stretch of rows, which over a long list costs seconds.
    beginResetModel();
    m_shown = std::move(rows);
    m_counts.clear();
    endResetModel();
}

bool GridSearchProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const QModelIndex index = m_source->index(sourceRow, 0, sourceParent);
    // A group is shown through its rows (recursive filtering).
    return !m_source->isGroupRow(index) && isShown(m_source->queryRow(index));
}

QVariant GridSearchProxy::data(const QModelIndex& index, int role) const
{
    const QVariant value = QSortFilterProxyModel::data(index, role);
    if (role != Qt::DisplayRole || index.column() != 0) {
        return value;
    }
    const QModelIndex source = mapToSource(index);
    if (!m_source->isGroupRow(source)) {
        return value;
    }
    // The label ends with the group's count of rows: " (n)".
    QString label = value.toString();
    const qsizetype open = label.lastIndexOf(QStringLiteral(" ("));
    if (open < 0) {
        return value;
    }
    label.truncate(open);
    return QStringLiteral("%1 (%2)").arg(label).arg(shownBelow(source));
}

int GridSearchProxy::shownBelow(const QModelIndex& sourceGroup) const
{
    const QPair<quintptr, int> key(sourceGroup.internalId(), sourceGroup.row());
    const auto cached = m_counts.constFind(key);
    if (cached != m_counts.constEnd()) {
        return *cached;
    }
    int count = 0;
    const int rows = m_source->rowCount(sourceGroup);
    for (int row = 0; row < rows; ++row) {
        const QModelIndex child = m_source->index(row, 0, sourceGroup);
        count += m_source->isGroupRow(child) ? shownBelow(child) : (isShown(m_source->queryRow(child)) ? 1 : 0);
    }
    m_counts.insert(key, count);
    return count;
}
