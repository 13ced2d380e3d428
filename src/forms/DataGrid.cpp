#include "forms/DataGrid.h"

#include "core/data/Query.h"
#include "forms/ErrorReport.h"
#include "forms/GridRowDelegate.h"
#include "forms/GridSearchProxy.h"
#include "forms/GroupByBox.h"
#include "forms/QueryGridModel.h"

#include <QHeaderView>
#include <QTreeView>
#include <QVBoxLayout>

DataGrid::DataGrid(QWidget* parent)
    : QWidget(parent)
{
    m_box = new GroupByBox(this);
    m_view = new QTreeView(this);
    m_view->setObjectName(QStringLiteral("gridView"));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setUniformRowHeights(true);
    m_view->setItemDelegate(new GridRowDelegate(m_view));
    m_view->setAllColumnsShowFocus(true);
    m_view->setRootIsDecorated(false);
    // Columns keep the widths they were given; a drag onto the group strip is
    // the only thing a header drag does.
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionsMovable(false);
    m_model = new QueryGridModel(this);
    m_view->setModel(m_model);
    m_search = new GridSearchProxy(m_model, this);
    m_box->attachHeader(m_view->header());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_box);
    layout->addWidget(m_view);

    connect(m_box, &GroupByBox::groupingChanged, this, &DataGrid::setGroupedColumns);
    connectSelection();
    connect(m_view, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (m_model->queryRow(toModel(index)) >= 0) {
            Q_EMIT rowDoubleClicked();
        }
    });
}

void DataGrid::connectSelection()
{
    ErrorReport::connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
                         [this](const QModelIndex& current) { onCurrentChanged(current); });
}

QModelIndex DataGrid::toModel(const QModelIndex& viewIndex) const
{
    return viewIndex.model() == m_search ? m_search->mapToSource(viewIndex) : viewIndex;
}

QModelIndex DataGrid::toView(const QModelIndex& modelIndex) const
{
    return isFiltered() ? m_search->mapFromSource(modelIndex) : modelIndex;
}

bool DataGrid::isFiltered() const
{
    return m_view->model() == m_search;
}

void DataGrid::showModel(QAbstractItemModel* model)
{
    if (m_view->model() == model) {
        return;
    }
    // A new model resets the header's sections; the widths stay as the user left them.
    QList<int> widths;
    for (int i = 0; i < m_model->columnCount(); ++i) {
        widths << m_view->header()->sectionSize(i);
    }
    QItemSelectionModel* old = m_view->selectionModel();
    m_view->setModel(model);
    delete old;
    connectSelection();
    for (int i = 0; i < widths.size(); ++i) {
        m_view->header()->resizeSection(i, widths[i]);
    }
}

void DataGrid::setShownRows(std::vector<char> rows)
{
    const int row = queryRecNo();
    if (rows.empty()) {
        showModel(m_model);
    } else {
        m_search->setShownRows(std::move(rows));
        showModel(m_search);
    }
    m_currentQueryRow = -1;
    showRows(row);
    if (m_currentQueryRow < 0) {
        Q_EMIT currentQueryRowChanged(-1);
    }
}

void DataGrid::setColumns(const QList<GridColumn>& columns)
{
    QStringList captions;
    for (const GridColumn& column : columns) {
        captions << column.caption;
    }
    m_box->setCaptions(captions);
    m_box->setGroupedColumns({});
    m_model->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i) {
        m_view->header()->resizeSection(i, columns[i].width);
    }
    showRows(queryRecNo());
}

QList<GridColumn> DataGrid::columns() const
{
    return m_model->columns();
}

void DataGrid::setQuery(Query* query)
{
    m_model->setQuery(query);
    showNewRows();
}

Query* DataGrid::query() const
{
    return m_model->query();
}

void DataGrid::reload()
{
    m_model->reload();
    showNewRows();
}

void DataGrid::rowMoved(int from, int to)
{
    m_model->rowMoved(from, to);
    showNewRows();
}

void DataGrid::showNewRows()
{
    // The rows are new even where the row number is the same, so the signal goes out anyway.
    m_currentQueryRow = -1;
    showRows(queryRecNo());
    if (m_currentQueryRow < 0) {
        Q_EMIT currentQueryRowChanged(-1);
    }
}

int DataGrid::currentQueryRow() const
{
    return m_model->queryRow(toModel(m_view->currentIndex()));
}

void DataGrid::setCurrentQueryRow(int queryRow)
{
    const QModelIndex index = toView(m_model->indexForQueryRow(queryRow));
    if (!index.isValid()) {
        return;
    }
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(index);
}

void DataGrid::groupBy(int column)
{
    if (column < 0 || column >= m_model->columnCount() || groupedColumns().contains(column)) {
        return;
    }
    setGroupedColumns(groupedColumns() + QList<int>{column});
}

void DataGrid::ungroup(int column)
{
    QList<int> columns = groupedColumns();
    if (columns.removeAll(column) > 0) {
        setGroupedColumns(columns);
    }
}

void DataGrid::setGroupedColumns(const QList<int>& columns)
{
    const int row = queryRecNo();
    m_model->setGroupColumns(columns);
    m_box->setGroupedColumns(m_model->groupColumns());
    showRows(row);
}

QList<int> DataGrid::groupedColumns() const
{
    return m_model->groupColumns();
}

QList<int> DataGrid::displayOrder() const
{
    QList<int> order = m_model->displayOrder();
    if (isFiltered()) {
        order.removeIf([this](int row) { return !m_search->isShown(row); });
    }
    return order;
}

void DataGrid::setGroupByBoxVisible(bool visible)
{
    m_box->setVisible(visible);
}

bool DataGrid::isGroupByBoxVisible() const
{
    return !m_box->isHidden();
}

void DataGrid::showRows(int queryRow)
{
    const bool grouped = m_model->isGrouped();
    m_view->setRootIsDecorated(grouped);
    if (grouped) {
        // Group captions run across the row rather than being cut at the first column.
        const QAbstractItemModel* shown = m_view->model();
        const auto span = [this, shown](auto&& self, const QModelIndex& parent) -> void {
            const int rows = shown->rowCount(parent);
            if (rows == 0 || !m_model->isGroupRow(toModel(shown->index(0, 0, parent)))) {
                return;
            }
            for (int row = 0; row < rows; ++row) {
                m_view->setFirstColumnSpanned(row, parent, true);
                self(self, shown->index(row, 0, parent));
            }
        };
        span(span, {});
        m_view->expandAll();
    }
    if (isFiltered() && !m_search->isShown(queryRow)) {
        // The row a search hid gives way to the first row it shows.
        const QList<int> order = displayOrder();
        queryRow = order.isEmpty() ? -1 : order.first();
    }
    if (toView(m_model->indexForQueryRow(queryRow)).isValid()) {
        setCurrentQueryRow(queryRow);
    } else if (m_currentQueryRow >= 0) {
        m_currentQueryRow = -1;
        Q_EMIT currentQueryRowChanged(-1);
    }
}

int DataGrid::queryRecNo() const
{
    return query() && !query()->eof() ? query()->recNo() : -1;
}

void DataGrid::onCurrentChanged(const QModelIndex& current)
{
    const int row = m_model->queryRow(toModel(current));
    Query* q = query();
    if (row >= 0 && q && row < q->rowCount() && q->recNo() != row) {
        q->setRecNo(row);
    }
    if (row != m_currentQueryRow) {
        m_currentQueryRow = row;
        Q_EMIT currentQueryRowChanged(row);
    }
}
