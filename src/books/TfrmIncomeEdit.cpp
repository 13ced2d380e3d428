#include "books/TfrmIncomeEdit.h"

#include "core/data/Tdm.h"

TfrmIncomeEdit::TfrmIncomeEdit(QWidget* owner)
    : TfrmMainIOEdit(owner)
{
    setWindowTitle(QStringLiteral("收入编辑"));
    TableName = QStringLiteral("Income");
    SaveTableName = QStringLiteral("Income");
}

QString TfrmIncomeEdit::typeParameter() const
{
    return dm->LeixingShouru;
}
