#pragma once

#include "forms/GridColumn.h"
#include "forms/TfrmBaseEdit.h"

class TMcxComboBox;
class TMcxDateEdit;
class TMcxMemo;
class TMcxTextEdit;

// A dated note with a type from a list parameter, a title and a remark; the
// books that keep such notes give the table and the parameter.
class TfrmTypedNoteEdit : public TfrmBaseEdit {
    Q_OBJECT

public:
    explicit TfrmTypedNoteEdit(QWidget* owner = nullptr);

    // What the lists of such notes show: date, type and title.
    static QList<GridColumn> listColumns();

    TMcxDateEdit* dt = nullptr;
    TMcxComboBox* knd = nullptr;
    TMcxTextEdit* title = nullptr;
    TMcxMemo* remark = nullptr;

protected:
    // The cached list parameter the types come from.
    virtual QString typeParameter() const = 0;
    void ShowStep() override;
};
