#pragma once

#include "books/TfrmTypedNoteEdit.h"

class TfrmJiankangEdit : public TfrmTypedNoteEdit {
    Q_OBJECT

public:
    explicit TfrmJiankangEdit(QWidget* owner = nullptr);

protected:
    QString typeParameter() const override;
};
