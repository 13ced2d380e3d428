#include "forms/GridFooter.h"

#include "forms/DataGrid.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTreeView>

GridFooter::GridFooter(DataGrid* grid, QWidget* parent)
    : QWidget(parent)
    , m_grid(grid)
{
    setObjectName(QStringLiteral("GridFooter"));
    setFixedHeight(24);
    setAutoFillBackground(true);
    QHeaderView* header = grid->view()->header();
    connect(header, &QHeaderView::sectionResized, this, &GridFooter::relayout);
    connect(grid->view()->horizontalScrollBar(), &QScrollBar::valueChanged, this, &GridFooter::relayout);
}

void GridFooter::setText(int column, const QString& text)
{
    QLabel*& label = m_labels[column];
    if (!label) {
        label = new QLabel(this);
        label->setObjectName(QStringLiteral("footer%1").arg(column));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->show();
    }
    label->setText(text);
    relayout();
}

QString GridFooter::text(int column) const
{
    const QLabel* label = m_labels.value(column);
    return label ? label->text() : QString();
}

void GridFooter::relayout()
{
    const QTreeView* view = m_grid->view();
    const QHeaderView* header = view->header();
    const int offset = view->viewport()->mapTo(m_grid, QPoint(0, 0)).x();
    for (auto it = m_labels.cbegin(); it != m_labels.cend(); ++it) {
        // Right edge under the column's; a text wider than the column grows
        // to the left rather than being cut.
        const int right = offset + header->sectionViewportPosition(it.key()) + header->sectionSize(it.key()) - 4;
        const int width = qMax(header->sectionSize(it.key()) - 4, it.value()->sizeHint().width());
        it.value()->setGeometry(right - width, 0, width, height());
    }
}

void GridFooter::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    relayout();
}

void GridFooter::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}
