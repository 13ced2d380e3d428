#pragma once

#include "forms/TfrmBaseEdit.h"

class TMcxTextEdit;

class TfrmMyUrlEdit : public TfrmBaseEdit {
    Q_OBJECT

public:
    explicit TfrmMyUrlEdit(QWidget* owner = nullptr);

    TMcxTextEdit* title = nullptr;
    TMcxTextEdit* ord = nullptr;
    TMcxTextEdit* url = nullptr;
};
