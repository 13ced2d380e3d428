#pragma once

#include "core/stats/PivotResult.h"

#include <QAbstractTableModel>

// The pivot as one flat table: the column headers over the top rows, the row
// headers down the left columns, the sums in between. Cells are formatted only
// when the view asks, so a large pivot scrolls as quickly as a small one.
class PivotModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Cell values for the export: numbers as Money, headers as text.
    static constexpr int ExportRole = Qt::UserRole + 1;
    // What a cell is: header, value, subtotal or total (a Style).
    static constexpr int StyleRole = Qt::UserRole + 2;

    enum Style { Corner, Header, ToggleHeader, Value, Subtotal, Total };

    explicit PivotModel(QObject* parent = nullptr);

    void setResult(PivotResult result);

    const PivotResult& result() const { return m_result; }

    int headerRows() const { return std::max(1, int(m_result.columnFields.size())); }

    int headerColumns() const { return std::max(1, int(m_result.rowFields.size())); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The axis and value path a header cell collapses or expands; false when
    // the cell has none.
    bool toggleTarget(const QModelIndex& index, bool* rowAxis, QStringList* path) const;

private:
    QString headerText(const PivotResult::Line& line, int level, int fieldCount, bool* toggle) const;
    Style lineStyle(const PivotResult::Line& line) const;

    PivotResult m_result;
};
