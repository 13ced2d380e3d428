#pragma once

#include "forms/TfrmBaseEdit.h"

class TMcxComboBox;
class TMcxDateEdit;
class TMcxMemo;
class TMcxTextEdit;

// The editor shared by the income and the spending book.
class TfrmMainIOEdit : public TfrmBaseEdit {
    Q_OBJECT

public:
    explicit TfrmMainIOEdit(QWidget* owner = nullptr);

    TMcxDateEdit* dt = nullptr;
    TMcxComboBox* leixing = nullptr;
    TMcxComboBox* ren = nullptr;
    TMcxTextEdit* miaoshu = nullptr;
    TMcxTextEdit* jine = nullptr;
    TMcxMemo* beizhu = nullptr;

protected:
    // The cached list of the book's types.
    virtual QString typeParameter() const = 0;
    void ShowStep() override;
};
