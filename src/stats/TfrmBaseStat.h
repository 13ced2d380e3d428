#pragma once

#include "core/stats/StatDefinition.h"
#include "forms/TfrmBaseTool.h"

class PivotChart;
class PivotGrid;
class QComboBox;
class QLabel;
class QSplitter;
class QStatusBar;

// A statistics window: 刷新, the start year, the pivot grid over the
// window's statement, 导出Excel and a chart of what the grid shows.
class TfrmBaseStat : public TfrmBaseTool {
    Q_OBJECT

public:
    explicit TfrmBaseStat(const StatDefinition& definition, QWidget* owner = nullptr);
    ~TfrmBaseStat() override;

    static constexpr int kFirstYear = 2008;

    void setStatusText(const QString& text);
    QString statusText() const;

    // The selected start year; this year when the list holds none.
    int startYear() const;

    QPushButton* btnRefresh = nullptr;
    QPushButton* btnToExcel = nullptr;
    QPushButton* btnChart = nullptr;
    QComboBox* cbYear = nullptr;
    PivotGrid* cxPivotGrid = nullptr;
    PivotChart* chart = nullptr;
    QStatusBar* StatusBar1 = nullptr;

public Q_SLOTS:
    // Re-reads the rows from the statement and the selected year; the layout stays.
    void RefreshAction();
    void ExportAction();

protected:
    // Fills the years, selects the default one and refreshes.
    virtual void ShowStep();

    void showEvent(QShowEvent* event) override;

    const StatDefinition& definition() const { return m_definition; }

    QSplitter* body() const { return m_body; }

private:
    void fillYears();
    void redrawChart();

    StatDefinition m_definition;
    QSplitter* m_body = nullptr;
    QLabel* m_statusPanel = nullptr;
    bool m_shown = false;
};
