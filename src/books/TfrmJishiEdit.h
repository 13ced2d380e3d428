#pragma once

#include "forms/TfrmBaseEdit.h"

class TMcxComboBox;
class TMcxDateEdit;
class TMcxMemo;
class TMcxTextEdit;

// One note: its date, type, state, the note itself and its details.
class TfrmJishiEdit : public TfrmBaseEdit {
    Q_OBJECT

public:
    explicit TfrmJishiEdit(QWidget* owner = nullptr);

    TMcxDateEdit* dt = nullptr;
    TMcxComboBox* leixing = nullptr;
    TMcxTextEdit* jishi = nullptr;
    TMcxComboBox* status = nullptr;
    TMcxMemo* remark = nullptr;

protected:
    void ShowStep() override;
};
