#pragma once

#include "forms/TfrmBaseEdit.h"

class TMcxComboBox;
class TMcxMemo;
class TMcxTextEdit;

// One contact: name, type, gender, numbers, e-mail, address and remark.
class TfrmDianhuaEdit : public TfrmBaseEdit {
    Q_OBJECT

public:
    explicit TfrmDianhuaEdit(QWidget* owner = nullptr);

    TMcxComboBox* leixing = nullptr;
    TMcxTextEdit* xingming = nullptr;
    TMcxComboBox* xingbie = nullptr;
    TMcxTextEdit* shouji = nullptr;
    TMcxTextEdit* dianhua = nullptr;
    TMcxTextEdit* qq = nullptr;
    TMcxTextEdit* email = nullptr;
    TMcxTextEdit* ord = nullptr;
    TMcxTextEdit* addr = nullptr;
    TMcxMemo* remark = nullptr;

protected:
    void ShowStep() override;
};
