#pragma once

#include <QWidget>

class PivotResult;
class QChartView;

// What the grid shows as bars: one group per row line (values only, not
// subtotals), one series per column line.
class PivotChart : public QWidget {
    Q_OBJECT

public:
    explicit PivotChart(QWidget* parent = nullptr);

    // More categories than this would be unreadable; the first ones are drawn.
    static constexpr int kMaxCategories = 120;

    void showResult(const PivotResult& result);

    QChartView* view() const { return m_view; }

    // What was drawn, for tests: the categories and, per series, its name and values.
    QStringList categories() const { return m_categories; }

    QStringList seriesNames() const { return m_series; }

    QList<QList<double>> seriesValues() const { return m_values; }

private:
    QChartView* m_view = nullptr;
    QStringList m_categories;
    QStringList m_series;
    QList<QList<double>> m_values;
};
