#pragma once

#include "books/TfrmTypedNoteEdit.h"

// One note about the baby, typed from the baby note types.
class TfrmBbJishiEdit : public TfrmTypedNoteEdit {
    Q_OBJECT

public:
    explicit TfrmBbJishiEdit(QWidget* owner = nullptr);

protected:
    QString typeParameter() const override;
};
