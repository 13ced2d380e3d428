#pragma once

#include <QDialog>

class QToolButton;
class TfrmStr;

// A grid of buttons, one per symbol or letter; a click makes it the
// decorator's symbol and closes the picker.
class TfrmMoreChar : public QDialog {
    Q_OBJECT

public:
    explicit TfrmMoreChar(TfrmStr* owner);

    static constexpr int kButtonsPerRow = 26;

    QList<QToolButton*> buttons() const { return m_buttons; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void pick(const QString& character);

    TfrmStr* m_owner;
    QList<QToolButton*> m_buttons;
};
