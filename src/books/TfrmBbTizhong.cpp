#include "books/TfrmBbTizhong.h"

#include "books/TfrmBbTizhongEdit.h"
#include "core/data/Tdm.h"

TfrmBbTizhong::TfrmBbTizhong(QWidget* owner)
    : TfrmBaseListFilter(owner)
{
    setWindowTitle(QStringLiteral("宝宝体重"));
    TableName = QStringLiteral("bb_tizhong");
    OrderSql = QStringLiteral(" order by dt desc");
    setColumns({
        {QStringLiteral("日期"), QStringLiteral("dt"), 150},
        {QStringLiteral("体重"), QStringLiteral("val"), 150},
    });
    setAdPage(dm->adBaobao);
}

TfrmBaseListFilter::DaysSetting TfrmBbTizhong::daysSetting() const
{
    return {dm->DaysBaobao, 180, QStringLiteral("“宝宝列表默认日期范围天数”格式错误，请重新设置。现在默认180天。")};
}

TfrmBaseEdit* TfrmBbTizhong::createEditor()
{
    return new TfrmBbTizhongEdit(this);
}
