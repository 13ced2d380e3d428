#pragma once

#include "forms/GridColumn.h"

#include <QList>
#include <QWidget>
#include <vector>

class GridSearchProxy;
class QAbstractItemModel;
class GroupByBox;
class Query;
class QueryGridModel;
class QTreeView;

// A record list: the rows of a Query, read-only, one row selected at a time,
// with a strip above the headers to group the rows by dragging columns there.
// The selected data row is the Query's current row.
class DataGrid : public QWidget {
    Q_OBJECT

public:
    explicit DataGrid(QWidget* parent = nullptr);

    void setColumns(const QList<GridColumn>& columns); // drops the grouping
    QList<GridColumn> columns() const;

    // Shows the query's rows and selects its current row. The grid does not own it.
    void setQuery(Query* query);
    Query* query() const;
    // Call after the query was opened again: rebuilds, keeps the grouping and
    // selects the query's current row.
    void reload();
    // Call after Query::refreshKey(): shows the moved row and selects the
    // query's current row, as reload() does.
    void rowMoved(int from, int to);

    // -1 when nothing or a group row is selected.
    int currentQueryRow() const;
    void setCurrentQueryRow(int queryRow);

    void groupBy(int column); // adds the next level
    void ungroup(int column);
    void setGroupedColumns(const QList<int>& columns);
    QList<int> groupedColumns() const;
    // Query rows in the order shown with every group expanded.
    QList<int> displayOrder() const;

    // Shows only the query rows flagged (one flag per row), as a search asks;
    // an empty list shows them all. Keeps the selected row when it is still
    // shown, else selects the first row shown. Give it again after reload().
    void setShownRows(std::vector<char> rows);
    bool isFiltered() const;

    void setGroupByBoxVisible(bool visible);
    bool isGroupByBoxVisible() const;

    QTreeView* view() const { return m_view; }

    // The rows without a search; the view shows them through a filter while one is on.
    QueryGridModel* model() const { return m_model; }

    GroupByBox* groupByBox() const { return m_box; }

Q_SIGNALS:
    // The selection moved to another data row (or, as -1, to a group row or
    // nothing); also sent after setQuery() and reload(), as the rows are new.
    // The Query is already on that row; with -1 it stays on the row it had.
    void currentQueryRowChanged(int queryRow);
    void rowDoubleClicked(); // on a data row; the Query is on that row

private:
    int queryRecNo() const; // -1 without a current row
    void showNewRows();
    void showRows(int queryRow);
    void onCurrentChanged(const QModelIndex& current);
    void showModel(QAbstractItemModel* model);
    void connectSelection();
    // Between the view's indexes and the model's, the same while no search is on.
    QModelIndex toModel(const QModelIndex& viewIndex) const;
    QModelIndex toView(const QModelIndex& modelIndex) const;

    GroupByBox* m_box = nullptr;
    QTreeView* m_view = nullptr;
    QueryGridModel* m_model = nullptr;
    GridSearchProxy* m_search = nullptr;
    int m_currentQueryRow = -1;
};
