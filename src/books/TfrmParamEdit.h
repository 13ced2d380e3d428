#pragma once

#include "forms/TfrmBaseEdit.h"

class QLabel;
class TMcxTextEdit;

class TfrmParamEdit : public TfrmBaseEdit {
    Q_OBJECT

public:
    explicit TfrmParamEdit(QWidget* owner = nullptr);

    QLabel* Label1 = nullptr;
    TMcxTextEdit* VAL = nullptr;
};
