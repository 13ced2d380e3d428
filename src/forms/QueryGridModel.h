#pragma once

#include "forms/GridColumn.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QList>
#include <memory>
#include <vector>

class Query;

// The rows of a Query for a tree view, optionally under group rows. Cells are
// formatted only when the view asks for them, so a large result opens quickly.
//
// Grouping is by the text a cell shows. Groups appear in the order of their
// first row in the query, so the query's ORDER BY decides the order of the
// groups as well; inside a group the rows keep the query's order.
class QueryGridModel : public QAbstractItemModel {
    Q_OBJECT

public:
    explicit QueryGridModel(QObject* parent = nullptr);
    ~QueryGridModel() override;

    void setColumns(const QList<GridColumn>& columns); // also drops the grouping

    QList<GridColumn> columns() const { return m_columns; }

    void setQuery(Query* query);

    Query* query() const { return m_query; }

    // Call after the query was opened again: its rows and columns may differ.
    void reload();
    // Call after Query::refreshKey() moved one row from (-1: none) to (-1:
    // gone). Without groups the view is told of that row alone.
    void rowMoved(int from, int to);

    // Grid columns to group by, outermost level first. Unknown and repeated
    // columns are left out.
    void setGroupColumns(const QList<int>& columns);

    QList<int> groupColumns() const { return m_groupColumns; }

    bool isGrouped() const { return !m_groupColumns.isEmpty(); }

    int queryRow(const QModelIndex& index) const; // -1 for group rows
    QModelIndex indexForQueryRow(int queryRow) const;
    bool isGroupRow(const QModelIndex& index) const;
    // Query rows in the order shown when every group is expanded.
    QList<int> displayOrder() const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Group {
        Group* parent = nullptr;
        int row = 0;    // position among the parent's subgroups
        int level = -1; // -1 for the root
        QString value;
        int count = 0; // data rows at any depth below
        std::vector<std::unique_ptr<Group>> subgroups;
        std::vector<int> rows;          // query rows; last level only
        QHash<QString, Group*> byValue; // while building
    };

    void rebuild();
    void buildGroups();

    bool holdsGroups(const Group* group) const { return group->level + 1 < int(m_groupColumns.size()); }

    int childCount(const Group* group) const;

    Group* parentGroup(const QModelIndex& index) const { return static_cast<Group*>(index.internalPointer()); }

    Group* groupAt(const QModelIndex& index) const; // the root for none, nullptr for data rows
    QString cellText(int queryRow, int column) const;
    QString groupLabel(const Group* group) const;

    Query* m_query = nullptr;
    QList<GridColumn> m_columns;
    QList<int> m_groupColumns;
    std::vector<int> m_queryColumns; // grid column -> query column, -1 when the query lacks it
    int m_rowCount = 0;              // rows of the query when last built
    Group m_root;
    // Where each query row sits when grouped: its last-level group and position.
    std::vector<Group*> m_leafOfRow;
    std::vector<int> m_positionOfRow;
};
