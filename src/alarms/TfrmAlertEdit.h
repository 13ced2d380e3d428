#pragma once

#include "forms/TfrmBaseTool.h"

class QComboBox;
class QLineEdit;
class TMcxDateEdit;

// One alarm: its due date and time, how it repeats and its text. The key is
// set by the list before the window is shown; "0" makes a new alarm, due an
// hour from now.
class TfrmAlertEdit : public TfrmBaseTool {
    Q_OBJECT

public:
    explicit TfrmAlertEdit(QWidget* owner = nullptr);

    QPushButton* btnSave = nullptr;
    TMcxDateEdit* deDt = nullptr;
    QComboBox* cbKnd = nullptr;
    QLineEdit* edtTitle = nullptr;

public Q_SLOTS:
    void btnSaveClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowStep();
    // The checks of 保存 in their order; false after telling the user.
    bool checkInput();

    bool m_shown = false;
};
