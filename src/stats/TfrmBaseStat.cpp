#include "stats/TfrmBaseStat.h"

#include "core/data/Clock.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/FileDialog.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "stats/PivotChart.h"
#include "stats/PivotGrid.h"
#include "stats/PivotModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

TfrmBaseStat::TfrmBaseStat(const StatDefinition& definition, QWidget* owner)
    : TfrmBaseTool(owner)
    , m_definition(definition)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);
    setWindowTitle(definition.caption());

    btnRefresh = addToolButton(QStringLiteral("btnRefresh"), QStringLiteral("刷新"));
    connect(btnRefresh, &QPushButton::clicked, this, &TfrmBaseStat::RefreshAction);
    btnToExcel = addToolButton(QStringLiteral("btnToExcel"), QStringLiteral("导出Excel"));
    // "导出Excel" needs a little less than the window font to fit 75 pixels.
    btnToExcel->setFont(FontMapper::font(FontMapper::song(), 14));
    connect(btnToExcel, &QPushButton::clicked, this, &TfrmBaseStat::ExportAction);
    btnChart = addToolButton(QStringLiteral("btnChart"), QStringLiteral("图表"));
    btnChart->setCheckable(true);

    cbYear = new QComboBox(pnlTool);
    cbYear->setObjectName(QStringLiteral("cbYear"));
    cbYear->setEditable(false);
    cbYear->setMaxVisibleItems(16);
    cbYear->setFixedWidth(121);
    cbYear->setToolTip(QStringLiteral("起始年份"));
    toolLayout()->addWidget(cbYear);

    m_body = new QSplitter(Qt::Vertical, this);
    cxPivotGrid = new PivotGrid(definition, m_body);
    cxPivotGrid->setObjectName(QStringLiteral("cxPivotGrid"));
    chart = new PivotChart(m_body);
    chart->hide();
    m_body->addWidget(cxPivotGrid);
    m_body->addWidget(chart);
    windowLayout()->addWidget(m_body, 1);
    connect(btnChart, &QPushButton::toggled, this, [this](bool on) {
        chart->setVisible(on);
        redrawChart();
    });
    connect(cxPivotGrid, &PivotGrid::resultChanged, this, &TfrmBaseStat::redrawChart);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    m_statusPanel = new QLabel(StatusBar1);
    m_statusPanel->setObjectName(QStringLiteral("StatusPanel0"));
    StatusBar1->addWidget(m_statusPanel, 1);
    windowLayout()->addWidget(StatusBar1);
}

TfrmBaseStat::~TfrmBaseStat() = default;

void TfrmBaseStat::setStatusText(const QString& text)
{
    m_statusPanel->setText(text);
}

QString TfrmBaseStat::statusText() const
{
    return m_statusPanel->text();
}

int TfrmBaseStat::startYear() const
{
    bool ok = false;
    const int year = cbYear->currentText().toInt(&ok);
    return ok ? year : Clock::today().year();
}

void TfrmBaseStat::showEvent(QShowEvent* event)
{
    TfrmBaseTool::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        ShowStep();
    }
}

void TfrmBaseStat::ShowStep()
{
    fillYears();
    connect(cbYear, &QComboBox::currentIndexChanged, this, &TfrmBaseStat::RefreshAction);
    RefreshAction();
}

void TfrmBaseStat::fillYears()
{
    const QSignalBlocker blocker(cbYear);
    cbYear->clear();
    const int thisYear = Clock::today().year();
    for (int year = kFirstYear; year <= thisYear; ++year) {
        cbYear->addItem(QString::number(year));
    }
    // Last year and this by default; in 2008 or before, only this year is possible.
    const int selected = thisYear > kFirstYear ? thisYear - 1 : thisYear;
    cbYear->setCurrentIndex(cbYear->findText(QString::number(selected)));
}

void TfrmBaseStat::RefreshAction()
{
    // The query keeps the statement; the rows go straight into the grid's
    // column store, since a million of them as query cells would double the
    // memory and the time.
    query().close();
    query().setSql(m_definition.statement(startYear()));
    try {
        cxPivotGrid->source().load(dm->ADOConnection1(), query().sql());
    } catch (...) {
        cxPivotGrid->refresh();
        throw;
    }
    cxPivotGrid->refresh();
}

void TfrmBaseStat::redrawChart()
{
    if (chart->isVisible()) {
        chart->showResult(cxPivotGrid->model()->result());
    }
}

void TfrmBaseStat::ExportAction()
{
    const QString path =
        FileDialog::getSaveFileName(this, windowTitle() + QLatin1Char('_') + dm->title + QStringLiteral(".xls"),
                                    QStringLiteral("*.xls (*.xls)"), QStringLiteral("xls"));
    if (path.isEmpty()) {
        return;
    }
    QString error;
    if (!cxPivotGrid->exportTo(path, windowTitle(), &error)) {
        MessageBox::error(this, error);
    }
}
