#pragma once

#include "forms/TfrmBaseTool.h"

class QLineEdit;
class QStatusBar;

// Sets, changes or removes the login password.
class TfrmPwdChange : public TfrmBaseTool {
    Q_OBJECT

public:
    explicit TfrmPwdChange(QWidget* owner = nullptr);

    // The password the caller expects, given before the window is shown.
    QString oldPassword;

    QPushButton* btnOK = nullptr;
    QLineEdit* edtOld = nullptr;
    QLineEdit* edtNew1 = nullptr;
    QLineEdit* edtNew2 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

public Q_SLOTS:
    void btnOKClick();

protected:
    void showEvent(QShowEvent* event) override;
};
