#pragma once

#include "core/stats/PivotLayout.h"
#include "core/stats/PivotSource.h"
#include "core/stats/StatDefinition.h"

#include <QWidget>
#include <array>

class PivotFieldArea;
class PivotFieldButton;
class PivotModel;
class QTableView;

// The pivot grid: the four areas with their field headers, and the table of
// sums. The layout is the grid's own and outlives every reload of the rows.
class PivotGrid : public QWidget {
    Q_OBJECT

public:
    explicit PivotGrid(const StatDefinition& definition, QWidget* parent = nullptr);

    PivotSource& source() { return m_source; }

    // Lays the current rows out again, after a reload or a layout change.
    void refresh();

    const PivotLayout& pivotLayout() const { return m_layout; }

    void setPivotLayout(const PivotLayout& layout);

    // What a drop does: false, and nothing changes, where the window's rules refuse it.
    bool moveField(PivotField field, PivotArea area, int position);

    void toggleSort(PivotField field);
    void setHiddenValues(PivotField field, const QSet<QString>& keys);
    // The field's drop-down, modal.
    void chooseValues(PivotField field);

    PivotModel* model() const { return m_model; }

    QTableView* view() const { return m_view; }

    PivotFieldArea* fieldArea(PivotArea area) const { return m_areas[size_t(area)]; }

    PivotFieldButton* fieldButton(PivotField field) const { return m_buttons[size_t(field)]; }

    // The pivot as shown, as an .xls workbook; false with the reason on failure.
    bool exportTo(const QString& path, const QString& sheetName, QString* error) const;

Q_SIGNALS:
    void resultChanged();

private:
    void placeButtons();
    void onCellClicked(const QModelIndex& index);

    StatDefinition m_definition;
    PivotSource m_source;
    PivotLayout m_layout = PivotLayout::standard();
    std::array<PivotFieldArea*, 4> m_areas{};
    std::array<PivotFieldButton*, PivotFields::kCount> m_buttons{};
    PivotModel* m_model = nullptr;
    QTableView* m_view = nullptr;
};
