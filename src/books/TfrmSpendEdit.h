#pragma once

#include "books/TfrmMainIOEdit.h"

class TfrmSpendEdit : public TfrmMainIOEdit {
    Q_OBJECT

public:
    explicit TfrmSpendEdit(QWidget* owner = nullptr);

protected:
    QString typeParameter() const override;
};
