#pragma once

#include <QHash>
#include <QSortFilterProxyModel>
#include <vector>

class QueryGridModel;

// Stands between a grid's model and its view while a search is on: only the
// rows a search let through are shown, with the groups that still hold some,
// and each group's count is of the rows it shows.
class GridSearchProxy : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit GridSearchProxy(QueryGridModel* source, QObject* parent = nullptr);

    // One flag per query row; rows past the end are hidden.
    void setShownRows(std::vector<char> rows);

    bool isShown(int queryRow) const
    {
        return queryRow >= 0 && size_t(queryRow) < m_shown.size() && m_shown[size_t(queryRow)];
    }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    int shownBelow(const QModelIndex& sourceGroup) const;

    QueryGridModel* m_source;
    std::vector<char> m_shown;
    mutable QHash<QPair<quintptr, int>, int> m_counts; // group -> rows shown under it
};
