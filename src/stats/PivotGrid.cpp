#include "stats/PivotGrid.h"

#include "core/stats/PivotEngine.h"
#include "core/xls/XlsWriter.h"
#include "stats/PivotFieldArea.h"
#include "stats/PivotFieldButton.h"
#include "stats/PivotModel.h"
#include "stats/PivotValueFilter.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

PivotGrid::PivotGrid(const StatDefinition& definition, QWidget* parent)
    : QWidget(parent)
    , m_definition(definition)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    const auto makeArea = [this](PivotArea area, const QString& name, const QString& emptyText) {
        auto* fieldArea = new PivotFieldArea(area, emptyText, this);
        fieldArea->setObjectName(name);
        connect(fieldArea, &PivotFieldArea::fieldDropped, this, &PivotGrid::moveField);
        m_areas[size_t(area)] = fieldArea;
        return fieldArea;
    };
    layout->addWidget(makeArea(PivotArea::Filter, QStringLiteral("areaFilter"), QStringLiteral("筛选字段拖到此处")));
    auto* middle = new QHBoxLayout;
    middle->setSpacing(1);
    middle->addWidget(makeArea(PivotArea::Data, QStringLiteral("areaData"), QStringLiteral("数据字段拖到此处")));
    middle->addWidget(makeArea(PivotArea::Column, QStringLiteral("areaColumn"), QStringLiteral("列字段拖到此处")), 1);
    layout->addLayout(middle);
    layout->addWidget(makeArea(PivotArea::Row, QStringLiteral("areaRow"), QStringLiteral("行字段拖到此处")));

    for (PivotField field : PivotFields::all()) {
        auto* button = new PivotFieldButton(field, this);
        connect(button, &PivotFieldButton::sortClicked, this, &PivotGrid::toggleSort);
        connect(button, &PivotFieldButton::filterClicked, this, &PivotGrid::chooseValues);
        m_buttons[size_t(field)] = button;
    }

    m_model = new PivotModel(this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("pivotView"));
    m_view->setModel(m_model);
    m_view->horizontalHeader()->hide();
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setDefaultSectionSize(100);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(m_view, &QTableView::clicked, this, &PivotGrid::onCellClicked);
    layout->addWidget(m_view, 1);

    placeButtons();
}

void PivotGrid::placeButtons()
{
    for (PivotFieldArea* area : m_areas) {
        QList<PivotFieldButton*> buttons;
        for (PivotField field : m_layout.fields(area->area())) {
            buttons << m_buttons[size_t(field)];
        }
        area->setButtons(buttons);
    }
    for (PivotField field : PivotFields::all()) {
        m_buttons[size_t(field)]->setDescending(m_layout.descending(field));
        m_buttons[size_t(field)]->setFiltered(!m_layout.hiddenValues(field).isEmpty());
    }
}

void PivotGrid::refresh()
{
    m_model->setResult(PivotEngine::compute(m_source, m_layout));
    m_view->resizeColumnToContents(0);
    Q_EMIT resultChanged();
}

void PivotGrid::setPivotLayout(const PivotLayout& layout)
{
    m_layout = layout;
    placeButtons();
    refresh();
}

bool PivotGrid::moveField(PivotField field, PivotArea area, int position)
{
    if (!m_definition.allows(field, area)) {
        return false;
    }
    m_layout.move(field, area, position);
    placeButtons();
    refresh();
    return true;
}

void PivotGrid::toggleSort(PivotField field)
{
    m_layout.toggleSort(field);
    placeButtons();
    refresh();
}

void PivotGrid::setHiddenValues(PivotField field, const QSet<QString>& keys)
{
    m_layout.setHiddenValues(field, keys);
    placeButtons();
    refresh();
}

void PivotGrid::chooseValues(PivotField field)
{
    PivotValueFilter filter(m_source.values(field), m_layout.hiddenValues(field), this);
    PivotFieldButton* button = m_buttons[size_t(field)];
    filter.move(button->mapToGlobal(QPoint(0, button->height())));
    if (filter.exec() == QDialog::Accepted) {
        setHiddenValues(field, filter.hiddenKeys());
    }
}

void PivotGrid::onCellClicked(const QModelIndex& index)
{
    bool rowAxis = true;
    QStringList path;
    if (!m_model->toggleTarget(index, &rowAxis, &path)) {
        return;
    }
    const PivotArea axis = rowAxis ? PivotArea::Row : PivotArea::Column;
    m_layout.setCollapsed(axis, path, !m_layout.isCollapsed(axis, path));
    refresh();
}

bool PivotGrid::exportTo(const QString& path, const QString& sheetName, QString* error) const
{
    QStringList captions;
    for (int column = 0; column < m_model->columnCount(); ++column) {
        captions << m_model->index(0, column).data(PivotModel::ExportRole).toString();
    }
    QList<int> widths;
    for (int column = 0; column < m_model->columnCount(); ++column) {
        widths << m_view->columnWidth(column);
    }
    const auto cell = [this](int row, int column) -> QVariant {
        const QVariant value = m_model->index(row + 1, column).data(PivotModel::ExportRole);
        if (value.metaType() == QMetaType::fromType<Money>()) {
            return value.value<Money>().toDouble();
        }
        const QString text = value.toString();
        return text.isEmpty() ? QVariant() : QVariant(text);
    };
    return XlsWriter::write(path, sheetName, captions, m_model->rowCount() - 1, cell, widths, error);
}
