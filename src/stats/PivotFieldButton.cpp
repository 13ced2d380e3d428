#include "stats/PivotFieldButton.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace {
constexpr int kArrowWidth = 16;
}

PivotFieldButton::PivotFieldButton(PivotField field, QWidget* parent)
    : QWidget(parent)
    , m_field(field)
{
    setObjectName(QStringLiteral("field_") + PivotFields::columnName(field));
    setCursor(Qt::OpenHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PivotFieldButton::setDescending(bool descending)
{
    m_descending = descending;
    update();
}

void PivotFieldButton::setFiltered(bool filtered)
{
    m_filtered = filtered;
    update();
}

QSize PivotFieldButton::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(PivotFields::caption(m_field)) + 2 * kArrowWidth + 14,
            fontMetrics().height() + 8};
}

QRect PivotFieldButton::dropDownRect() const
{
    return {width() - kArrowWidth - 2, 0, kArrowWidth + 2, height()};
}

void PivotFieldButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= m_pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    const QRect text = rect().adjusted(6, 0, -(2 * kArrowWidth), 0);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, PivotFields::caption(m_field));
    // The sort arrow, and the drop-down that turns blue while values are hidden.
    const QRect sortRect(width() - 2 * kArrowWidth - 2, 0, kArrowWidth, height());
    painter.drawText(sortRect, Qt::AlignCenter, m_descending ? QStringLiteral("▼") : QStringLiteral("▲"));
    painter.setPen(m_filtered ? QColor(0, 0, 255) : palette().color(QPalette::ButtonText));
    painter.drawText(dropDownRect(), Qt::AlignCenter, QStringLiteral("▾"));
}

void PivotFieldButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_pressedAt = event->position().toPoint();
        update();
    }
}

void PivotFieldButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed ||
        (event->position().toPoint() - m_pressedAt).manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    m_pressed = false;
    update();
    auto* mime = new QMimeData;
    mime->setData(mimeType(), QByteArray::number(int(m_field)));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(grab());
    drag->setHotSpot(m_pressedAt);
    drag->exec(Qt::MoveAction);
}

void PivotFieldButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pressed || event->button() != Qt::LeftButton) {
        return;
    }
    m_pressed = false;
    update();
    if (dropDownRect().contains(event->position().toPoint())) {
        Q_EMIT filterClicked(m_field);
    } else if (rect().contains(event->position().toPoint())) {
        Q_EMIT sortClicked(m_field);
    }
}
