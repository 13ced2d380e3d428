#include "books/TfrmBbJiaoyu.h"

#include "books/TfrmBbJiaoyuEdit.h"
#include "core/data/Tdm.h"

TfrmBbJiaoyu::TfrmBbJiaoyu(QWidget* owner)
    : TfrmBaseListFilter(owner)
{
    setWindowTitle(QStringLiteral("宝宝教育"));
    TableName = QStringLiteral("bb_jiaoyu");
    OrderSql = QStringLiteral(" order by dt desc");
    setColumns({
        {QStringLiteral("日期"), QStringLiteral("dt"), 150},
        {QStringLiteral("类型"), QStringLiteral("knd"), 150},
        {QStringLiteral("标题"), QStringLiteral("title"), 500},
    });
    setAdPage(dm->adBaobao);
}

TfrmBaseListFilter::DaysSetting TfrmBbJiaoyu::daysSetting() const
{
    return {dm->DaysBaobao, 180, QStringLiteral("“宝宝列表默认日期范围天数”格式错误，请重新设置。现在默认180天。")};
}

TfrmBaseEdit* TfrmBbJiaoyu::createEditor()
{
    return new TfrmBbJiaoyuEdit(this);
}
