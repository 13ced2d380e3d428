#pragma once

#include "forms/TfrmBaseEdit.h"

class TMcxDateEdit;
class TMcxMemo;
class TMcxTextEdit;

// One dated measurement of the baby with a remark; the height and weight books
// give the table and what the value is called.
class TfrmBbMeasureEdit : public TfrmBaseEdit {
    Q_OBJECT

public:
    TMcxDateEdit* dt = nullptr;
    TMcxTextEdit* val = nullptr;
    TMcxMemo* remark = nullptr;

protected:
    TfrmBbMeasureEdit(const char* valueCaption, QWidget* owner);
    void ShowStep() override;
};
