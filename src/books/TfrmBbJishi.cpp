#include "books/TfrmBbJishi.h"

#include "books/TfrmBbJishiEdit.h"
#include "core/data/Tdm.h"

TfrmBbJishi::TfrmBbJishi(QWidget* owner)
    : TfrmBaseListFilter(owner)
{
    setWindowTitle(QStringLiteral("宝宝记事"));
    TableName = QStringLiteral("bb_jishi");
    OrderSql = QStringLiteral(" order by dt desc");
    setColumns({
        {QStringLiteral("日期"), QStringLiteral("dt"), 150},
        {QStringLiteral("类型"), QStringLiteral("knd"), 150},
        {QStringLiteral("标题"), QStringLiteral("title"), 500},
    });
    setAdPage(dm->adBaobao);
}

TfrmBaseListFilter::DaysSetting TfrmBbJishi::daysSetting() const
{
    return {dm->DaysBaobao, 180, QStringLiteral("“宝宝记事列表默认日期范围天数”格式错误，请重新设置。现在默认180天。")};
}

TfrmBaseEdit* TfrmBbJishi::createEditor()
{
    return new TfrmBbJishiEdit(this);
}
