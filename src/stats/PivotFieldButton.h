#pragma once

#include "core/stats/PivotField.h"

#include <QPoint>
#include <QWidget>

// A field's header: its caption with the sort arrow and the drop-down
// button. Click to turn the sort, click the drop-down to choose the shown
// values, hold and drag to move the field to another area or place.
class PivotFieldButton : public QWidget {
    Q_OBJECT

public:
    PivotFieldButton(PivotField field, QWidget* parent = nullptr);

    static QString mimeType() { return QStringLiteral("application/x-pelorin-pivot-field"); }

    PivotField field() const { return m_field; }

    void setDescending(bool descending);
    void setFiltered(bool filtered);

    QSize sizeHint() const override;

    // Where the drop-down button lies, for clicks and tests.
    QRect dropDownRect() const;

Q_SIGNALS:
    void sortClicked(PivotField field);
    void filterClicked(PivotField field);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PivotField m_field;
    bool m_descending = false;
    bool m_filtered = false;
    QPoint m_pressedAt;
    bool m_pressed = false;
};
