#include "forms/QueryGridModel.h"

#include "core/data/Query.h"

#include <numeric>

QueryGridModel::QueryGridModel(QObject* parent)
    : QAbstractItemModel(parent)
{
}

QueryGridModel::~QueryGridModel() = default;

void QueryGridModel::setColumns(const QList<GridColumn>& columns)
{
    beginResetModel();
    m_columns = columns;
    m_groupColumns.clear();
    rebuild();
    endResetModel();
}

void QueryGridModel::setQuery(Query* query)
{
    beginResetModel();
    m_query = query;
    rebuild();
    endResetModel();
}

void QueryGridModel::reload()
{
    beginResetModel();
    rebuild();
    endResetModel();
}

void QueryGridModel::rowMoved(int from, int to)
{
    if (isGrouped() || !m_query) {
        reload();
        return;
    }
    if (from >= 0 && from == to) {
        Q_EMIT dataChanged(index(from, 0), index(from, columnCount() - 1));
        return;
    }
    if (from >= 0) {
        beginRemoveRows({}, from, from);
        --m_rowCount;
        endRemoveRows();
    }
    if (to >= 0) {
        beginInsertRows({}, to, to);
        ++m_rowCount;
        endInsertRows();
    }
}

void QueryGridModel::setGroupColumns(const QList<int>& columns)
{
    QList<int> accepted;
    for (int column : columns) {
        if (column >= 0 && column < m_columns.size() && !accepted.contains(column)) {
            accepted << column;
        }
    }
    beginResetModel();
    m_groupColumns = accepted;
    rebuild();
    endResetModel();
}

void QueryGridModel::rebuild()
{
    m_queryColumns.assign(size_t(m_columns.size()), -1);
    const bool active = m_query && m_query->isActive();
    if (active) {
        for (qsizetype i = 0; i < m_columns.size(); ++i) {
            m_queryColumns[size_t(i)] = m_query->columnIndex(m_columns[i].field);
        }
    }
    m_rowCount = active ? m_query->rowCount() : 0;
    // Given back rather than cleared: a list grouped by a column of distinct
    // values holds a group and two numbers for every row.
    decltype(m_root.subgroups)().swap(m_root.subgroups);
    decltype(m_root.rows)().swap(m_root.rows);
    m_root.count = m_rowCount;
    decltype(m_leafOfRow)().swap(m_leafOfRow);
    decltype(m_positionOfRow)().swap(m_positionOfRow);
    if (!m_groupColumns.isEmpty()) {
        buildGroups();
    }
}

void QueryGridModel::buildGroups()
{
    m_leafOfRow.resize(size_t(m_rowCount));
    m_positionOfRow.resize(size_t(m_rowCount));
    const int levels = int(m_groupColumns.size());
    for (int row = 0; row < m_rowCount; ++row) {
        Group* group = &m_root;
        for (int level = 0; level < levels; ++level) {
            const QString value = cellText(row, m_groupColumns[level]);
            Group*& child = group->byValue[value];
            if (!child) {
                auto created = std::make_unique<Group>();
                created->parent = group;
                created->row = int(group->subgroups.size());
                created->level = level;
                created->value = value;
                child = created.get();
                group->subgroups.push_back(std::move(created));
            }
            group = child;
            ++group->count;
        }
        m_leafOfRow[size_t(row)] = group;
        m_positionOfRow[size_t(row)] = int(group->rows.size());
        group->rows.push_back(row);
    }
    // The lookup tables are only needed while rows are sorted in.
    const auto forget = [](auto&& self, Group* group) -> void {
        group->byValue.clear();
        for (const auto& child : group->subgroups) {
            self(self, child.get());
        }
    };
    forget(forget, &m_root);
}

int QueryGridModel::childCount(const Group* group) const
{
    if (holdsGroups(group)) {
        return int(group->subgroups.size());
    }
    return group == &m_root ? m_rowCount : int(group->rows.size());
}

QueryGridModel::Group* QueryGridModel::groupAt(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return const_cast<Group*>(&m_root);
    }
    const Group* parent = parentGroup(index);
    if (!holdsGroups(parent)) {
        return nullptr;
    }
    return parent->subgroups[size_t(index.row())].get();
}

QString QueryGridModel::cellText(int queryRow, int column) const
{
    const int queryColumn = m_queryColumns[size_t(column)];
    // The query may have been closed or re-opened since the last reload.
    if (queryColumn < 0 || queryColumn >= m_query->columnCount() || queryRow >= m_query->rowCount()) {
        return {};
    }
    if (const auto& display = m_columns[column].display) {
        return display(m_query->valueAt(queryRow, queryColumn));
    }
    return m_query->textAt(queryRow, queryColumn);
}

QString QueryGridModel::groupLabel(const Group* group) const
{
    const QString caption = m_columns[m_groupColumns[group->level]].caption;
    const QString value = group->value.isEmpty() ? QStringLiteral("(空)") : group->value;
    return QStringLiteral("%1: %2 (%3)").arg(caption, value).arg(group->count);
}

int QueryGridModel::queryRow(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this) {
        return -1;
    }
    const Group* parent = parentGroup(index);
    if (holdsGroups(parent)) {
        return -1;
    }
    return parent == &m_root ? index.row() : parent->rows[size_t(index.row())];
}

bool QueryGridModel::isGroupRow(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && holdsGroups(parentGroup(index));
}

QModelIndex QueryGridModel::indexForQueryRow(int queryRow) const
{
    if (queryRow < 0 || queryRow >= m_rowCount) {
        return {};
    }
    if (m_groupColumns.isEmpty()) {
        return createIndex(queryRow, 0, const_cast<Group*>(&m_root));
    }
    return createIndex(m_positionOfRow[size_t(queryRow)], 0, m_leafOfRow[size_t(queryRow)]);
}

QList<int> QueryGridModel::displayOrder() const
{
    QList<int> order;
    order.reserve(m_rowCount);
    if (m_groupColumns.isEmpty()) {
        order.resize(m_rowCount);
        std::iota(order.begin(), order.end(), 0);
        return order;
    }
    const auto walk = [&order](auto&& self, const Group* group) -> void {
        order.append(QList<int>(group->rows.begin(), group->rows.end()));
        for (const auto& child : group->subgroups) {
            self(self, child.get());
        }
    };
    walk(walk, &m_root);
    return order;
}

QModelIndex QueryGridModel::index(int row, int column, const QModelIndex& parent) const
{
    // The view asks for every row when it lays a list out: the common
    // ungrouped case answers without the general walk.
    if (m_groupColumns.isEmpty()) {
        if (parent.isValid() || row < 0 || row >= m_rowCount || column < 0 || column >= m_columns.size()) {
            return {};
        }
        return createIndex(row, column, const_cast<Group*>(&m_root));
    }
    if (!hasIndex(row, column, parent)) {
        return {};
    }
    return createIndex(row, column, groupAt(parent));
}

QModelIndex QueryGridModel::parent(const QModelIndex& child) const
{
    if (!child.isValid()) {
        return {};
    }
    const Group* parent = parentGroup(child);
    if (parent == &m_root) {
        return {};
    }
    return createIndex(parent->row, 0, parent->parent);
}

int QueryGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0) {
        return 0;
    }
    const Group* group = groupAt(parent);
    return group ? childCount(group) : 0;
}

int QueryGridModel::columnCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent)
    return int(m_columns.size());
}

bool QueryGridModel::hasChildren(const QModelIndex& parent) const
{
    if (parent.isValid() && m_groupColumns.isEmpty()) {
        return false;
    }
    return rowCount(parent) > 0;
}

QVariant QueryGridModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::TextAlignmentRole && index.isValid() && !isGroupRow(index)) {
        // Amounts and numbers line up on their last digit.
        const int queryColumn = m_queryColumns[size_t(index.column())];
        // A column shown through its own hook shows words, not digits.
        const bool shownAsText = bool(m_columns[index.column()].display);
        if (!shownAsText && queryColumn >= 0 && queryColumn < m_query->columnCount()) {
            const ColumnKind kind = m_query->columnType(queryColumn).kind;
            if (kind == ColumnKind::Money || kind == ColumnKind::Number || kind == ColumnKind::Integer) {
                return int(Qt::AlignRight | Qt::AlignVCenter);
            }
        }
        return {};
    }
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    if (const Group* group = groupAt(index)) {
        return index.column() == 0 ? QVariant(groupLabel(group)) : QVariant();
    }
    return cellText(queryRow(index), index.column());
}

QVariant QueryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return m_columns[section].caption;
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter); // an int, as QHeaderView reads it
    default:
        return {};
    }
}

Qt::ItemFlags QueryGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return !m_groupColumns.isEmpty() && isGroupRow(index) ? flags : flags | Qt::ItemNeverHasChildren;
}
