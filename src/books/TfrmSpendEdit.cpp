#include "books/TfrmSpendEdit.h"

#include "core/data/Tdm.h"

TfrmSpendEdit::TfrmSpendEdit(QWidget* owner)
    : TfrmMainIOEdit(owner)
{
    setWindowTitle(QStringLiteral("支出编辑"));
    TableName = QStringLiteral("Spend");
    SaveTableName = QStringLiteral("Spend");
}

QString TfrmSpendEdit::typeParameter() const
{
    return dm->LeixingZhichu;
}
