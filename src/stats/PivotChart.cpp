#include "stats/PivotChart.h"

#include "core/stats/PivotResult.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QVBoxLayout>
#include <QValueAxis>

PivotChart::PivotChart(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PivotChart"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QChartView(new QChart, this);
    m_view->setRenderHint(QPainter::Antialiasing);
    layout->addWidget(m_view);
}

void PivotChart::showResult(const PivotResult& result)
{
    m_categories.clear();
    m_series.clear();
    m_values.clear();

    // The lines that stand for values; with nothing across, the row totals.
    std::vector<int> rows;
    for (int i = 0; i < int(result.rows().size()) && int(rows.size()) < kMaxCategories; ++i) {
        const PivotResult::Line& line = result.rows()[size_t(i)];
        if (line.kind == PivotResult::Kind::Value ||
            (result.rowFields.isEmpty() && line.kind == PivotResult::Kind::Grand)) {
            rows.push_back(i);
            m_categories << (line.kind == PivotResult::Kind::Grand ? QStringLiteral("总计")
                                                                   : line.texts.join(QLatin1Char('-')));
        }
    }
    std::vector<int> columns;
    for (int j = 0; j < int(result.columns().size()); ++j) {
        const PivotResult::Line& line = result.columns()[size_t(j)];
        if (line.kind == PivotResult::Kind::Value ||
            (result.columnFields.isEmpty() && line.kind == PivotResult::Kind::Grand)) {
            columns.push_back(j);
            m_series << (line.kind == PivotResult::Kind::Grand ? QStringLiteral("总计")
                                                               : line.texts.join(QLatin1Char('-')));
        }
    }

    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* series = new QBarSeries(chart);
    double low = 0;
    double high = 0;
    for (size_t s = 0; s < columns.size(); ++s) {
        auto* set = new QBarSet(m_series[qsizetype(s)]);
        QList<double> values;
        for (int row : rows) {
            const std::optional<Money> sum = result.cell(row, columns[s]);
            const double value = sum ? sum->toDouble() : 0.0;
            values << value;
            low = std::min(low, value);
            high = std::max(high, value);
        }
        set->append(values);
        series->append(set);
        m_values << values;
    }
    chart->addSeries(series);
    auto* axisX = new QBarCategoryAxis(chart);
    axisX->append(m_categories);
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto* axisY = new QValueAxis(chart);
    axisY->setRange(low, high > low ? high : low + 1);
    axisY->setLabelFormat(QStringLiteral("%.2f"));
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    chart->legend()->setAlignment(Qt::AlignRight);

    QChart* old = m_view->chart();
    m_view->setChart(chart);
    delete old;
}
