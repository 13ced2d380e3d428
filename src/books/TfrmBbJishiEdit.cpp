#include "books/TfrmBbJishiEdit.h"

#include "core/data/Tdm.h"

TfrmBbJishiEdit::TfrmBbJishiEdit(QWidget* owner)
    : TfrmTypedNoteEdit(owner)
{
    TableName = QStringLiteral("bb_jishi");
    SaveTableName = QStringLiteral("bb_jishi");
}

QString TfrmBbJishiEdit::typeParameter() const
{
    return dm->LeixingBaobao;
}
