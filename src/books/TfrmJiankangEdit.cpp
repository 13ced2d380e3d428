#include "books/TfrmJiankangEdit.h"

#include "core/data/Tdm.h"

TfrmJiankangEdit::TfrmJiankangEdit(QWidget* owner)
    : TfrmTypedNoteEdit(owner)
{
    TableName = QStringLiteral("jiankangdangan");
    SaveTableName = QStringLiteral("jiankangdangan");
}

QString TfrmJiankangEdit::typeParameter() const
{
    return dm->LeixingJiankang;
}
