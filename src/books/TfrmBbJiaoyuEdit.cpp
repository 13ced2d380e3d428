#include "books/TfrmBbJiaoyuEdit.h"

#include "core/data/Tdm.h"

TfrmBbJiaoyuEdit::TfrmBbJiaoyuEdit(QWidget* owner)
    : TfrmTypedNoteEdit(owner)
{
    TableName = QStringLiteral("bb_jiaoyu");
    SaveTableName = QStringLiteral("bb_jiaoyu");
}

QString TfrmBbJiaoyuEdit::typeParameter() const
{
    return dm->LeixingBaobaoJiaoyu;
}
