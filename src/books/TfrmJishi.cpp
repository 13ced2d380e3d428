#include "books/TfrmJishi.h"

#include "books/TfrmJishiEdit.h"
#include "core/data/Tdm.h"

TfrmJishi::TfrmJishi(QWidget* owner)
    : TfrmBaseListFilter(owner)
{
    setWindowTitle(QStringLiteral("记事"));
    TableName = QStringLiteral("Jishi");
    OrderSql = QStringLiteral(" order by dt desc");
    setColumns({
        {QStringLiteral("日期"), QStringLiteral("dt"), 120},
        {QStringLiteral("类型"), QStringLiteral("leixing"), 120},
        {QStringLiteral("状态"), QStringLiteral("status"), 120},
        {QStringLiteral("记事"), QStringLiteral("jishi"), 600},
    });
    setAdPage(dm->adCommon);
}

TfrmBaseListFilter::DaysSetting TfrmJishi::daysSetting() const
{
    return {dm->DaysJishi, 30, QStringLiteral("“记事列表默认日期范围天数”格式错误，请重新设置。现在默认30天。")};
}

TfrmBaseEdit* TfrmJishi::createEditor()
{
    return new TfrmJishiEdit(this);
}
