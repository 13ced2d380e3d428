#pragma once

#include "core/tools/Calculator.h"

#include <QFrame>

class QLineEdit;
class QPushButton;

// The small calculator that drops down under a number box. OK puts the
// result into the box; Esc or a click elsewhere leaves the box as it was.
class CalcPopup : public QFrame {
    Q_OBJECT

public:
    explicit CalcPopup(const QString& startText, QWidget* parent = nullptr);

    QLineEdit* display() const { return m_display; }

    // The key captioned text ("7", "+", "=", "C", "OK", ...).
    QPushButton* key(const QString& caption) const;

Q_SIGNALS:
    void accepted(const QString& value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void press(const QString& caption);
    void ok();

    Calculator m_calc;
    QLineEdit* m_display = nullptr;
};
