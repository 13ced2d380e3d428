#include "books/TfrmSpend.h"

#include "books/TfrmSpendEdit.h"
#include "core/data/Tdm.h"

TfrmSpend::TfrmSpend(QWidget* owner)
    : TfrmMainIO(owner)
{
    setWindowTitle(QStringLiteral("支出"));
    TableName = QStringLiteral("Spend");
}

TfrmBaseListFilter::DaysSetting TfrmSpend::daysSetting() const
{
    return {dm->DaysZhichu, 30, QStringLiteral("“支出列表默认日期范围天数”格式错误，请重新设置。现在默认30天。")};
}

TfrmBaseEdit* TfrmSpend::createEditor()
{
    return new TfrmSpendEdit(this);
}
