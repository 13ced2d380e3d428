#include "books/TfrmIncome.h"

#include "books/TfrmIncomeEdit.h"
#include "core/data/Tdm.h"

TfrmIncome::TfrmIncome(QWidget* owner)
    : TfrmMainIO(owner)
{
    setWindowTitle(QStringLiteral("收入"));
    TableName = QStringLiteral("Income");
}

TfrmBaseListFilter::DaysSetting TfrmIncome::daysSetting() const
{
    return {dm->DaysShouru, 180, QStringLiteral("“收入列表默认日期范围天数”格式错误，请重新设置。现在默认180天。")};
}

TfrmBaseEdit* TfrmIncome::createEditor()
{
    return new TfrmIncomeEdit(this);
}
