#pragma once

#include "books/TfrmMainIOEdit.h"

class TfrmIncomeEdit : public TfrmMainIOEdit {
    Q_OBJECT

public:
    explicit TfrmIncomeEdit(QWidget* owner = nullptr);

protected:
    QString typeParameter() const override;
};
