#pragma once

#include "core/stats/PivotLayout.h"

#include <QFrame>

class QHBoxLayout;
class QLabel;
class PivotFieldButton;

// One area of the pivot: its field headers in order. A header dragged over it
// shows a marker where it would land; dropping it asks the grid to move it.
class PivotFieldArea : public QFrame {
    Q_OBJECT

public:
    PivotFieldArea(PivotArea area, const QString& emptyText, QWidget* parent = nullptr);

    PivotArea area() const { return m_area; }

    void setButtons(const QList<PivotFieldButton*>& buttons);

    QList<PivotFieldButton*> buttons() const { return m_buttons; }

    // The place a drop at x lands: before the first header whose middle lies right of it.
    int dropPosition(int x) const;

    // -1 while nothing is dragged over the area.
    int markerPosition() const { return m_marker; }

Q_SIGNALS:
    void fieldDropped(PivotField field, PivotArea area, int position);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int markerX() const;

    PivotArea m_area;
    QHBoxLayout* m_layout = nullptr;
    QLabel* m_empty = nullptr;
    QList<PivotFieldButton*> m_buttons;
    int m_marker = -1;
};
