#include "stats/PivotFieldArea.h"

#include "stats/PivotFieldButton.h"

#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPainter>

PivotFieldArea::PivotFieldArea(PivotArea area, const QString& emptyText, QWidget* parent)
    : QFrame(parent)
    , m_area(area)
{
    setAcceptDrops(true);
    setFrameShape(QFrame::StyledPanel);
    setMinimumHeight(30);
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(3, 2, 3, 2);
    m_layout->setSpacing(4);
    m_empty = new QLabel(emptyText, this);
    m_empty->setStyleSheet(QStringLiteral("color: gray"));
    m_layout->addWidget(m_empty);
    m_layout->addStretch(1);
}

void PivotFieldArea::setButtons(const QList<PivotFieldButton*>& buttons)
{
    for (PivotFieldButton* button : m_buttons) {
        m_layout->removeWidget(button);
    }
    m_buttons = buttons;
    for (int i = 0; i < buttons.size(); ++i) {
        buttons[i]->setParent(this);
        m_layout->insertWidget(i, buttons[i]);
        buttons[i]->show();
    }
    m_empty->setVisible(buttons.isEmpty());
}

int PivotFieldArea::dropPosition(int x) const
{
    for (int i = 0; i < m_buttons.size(); ++i) {
        if (x < m_buttons[i]->geometry().center().x()) {
            return i;
        }
    }
    return int(m_buttons.size());
}

int PivotFieldArea::markerX() const
{
    if (m_buttons.isEmpty()) {
        return 4;
    }
    if (m_marker < m_buttons.size()) {
        return m_buttons[m_marker]->geometry().left() - 2;
    }
    return m_buttons.last()->geometry().right() + 2;
}

void PivotFieldArea::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(PivotFieldButton::mimeType())) {
        event->acceptProposedAction();
        m_marker = dropPosition(event->position().toPoint().x());
        update();
    }
}

void PivotFieldArea::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasFormat(PivotFieldButton::mimeType())) {
        event->acceptProposedAction();
        m_marker = dropPosition(event->position().toPoint().x());
        update();
    }
}

void PivotFieldArea::dragLeaveEvent(QDragLeaveEvent*)
{
    m_marker = -1;
    update();
}

void PivotFieldArea::dropEvent(QDropEvent* event)
{
    m_marker = -1;
    update();
    if (!event->mimeData()->hasFormat(PivotFieldButton::mimeType())) {
        return;
    }
    bool ok = false;
    const int field = event->mimeData()->data(PivotFieldButton::mimeType()).toInt(&ok);
    if (!ok || field < 0 || field >= PivotFields::kCount) {
        return;
    }
    event->acceptProposedAction();
    Q_EMIT fieldDropped(PivotField(field), m_area, dropPosition(event->position().toPoint().x()));
}

void PivotFieldArea::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_marker < 0) {
        return;
    }
    QPainter painter(this);
    painter.setPen(QPen(QColor(220, 0, 0), 3));
    const int x = markerX();
    painter.drawLine(x, 2, x, height() - 3);
}
