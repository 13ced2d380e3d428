#pragma once

#include <QLineEdit>
#include <QPointer>

class CalcPopup;

// A number box with a drop-down calculator: the arrow at its right end (or
// Alt+Down, F4) opens the calculator, whose OK puts the result in the box.
// Typing is held to a number's characters.
class TMcxcalcEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TMcxcalcEdit(QWidget* parent = nullptr);

    void DroppedDown();

    // The calculator while it is open.
    CalcPopup* popup() const;

    QAction* dropDownAction() const { return m_dropDown; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* m_dropDown = nullptr;
    QPointer<CalcPopup> m_popup;
};
