#pragma once

#include "forms/TfrmBaseEdit.h"

class TMcxMemo;
class TMcxTextEdit;

class TfrmBeiwangEdit : public TfrmBaseEdit {
    Q_OBJECT

public:
    explicit TfrmBeiwangEdit(QWidget* owner = nullptr);

    TMcxTextEdit* title = nullptr;
    TMcxTextEdit* ord = nullptr;
    TMcxMemo* remark = nullptr;
};
