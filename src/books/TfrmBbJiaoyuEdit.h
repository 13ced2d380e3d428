#pragma once

#include "books/TfrmTypedNoteEdit.h"

// One education record, typed from the baby education types.
class TfrmBbJiaoyuEdit : public TfrmTypedNoteEdit {
    Q_OBJECT

public:
    explicit TfrmBbJiaoyuEdit(QWidget* owner = nullptr);

protected:
    QString typeParameter() const override;
};
