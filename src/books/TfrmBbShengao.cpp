#include "books/TfrmBbShengao.h"

#include "books/TfrmBbShengaoEdit.h"
#include "core/data/Tdm.h"

TfrmBbShengao::TfrmBbShengao(QWidget* owner)
    : TfrmBaseListFilter(owner)
{
    setWindowTitle(QStringLiteral("宝宝身高"));
    TableName = QStringLiteral("bb_shengao");
    OrderSql = QStringLiteral(" order by dt desc");
    setColumns({
        {QStringLiteral("日期"), QStringLiteral("dt"), 150},
        {QStringLiteral("身高"), QStringLiteral("val"), 150},
    });
    setAdPage(dm->adBaobao);
}

TfrmBaseListFilter::DaysSetting TfrmBbShengao::daysSetting() const
{
    return {dm->DaysBaobao, 180, QStringLiteral("“宝宝列表默认日期范围天数”格式错误，请重新设置。现在默认180天。")};
}

TfrmBaseEdit* TfrmBbShengao::createEditor()
{
    return new TfrmBbShengaoEdit(this);
}
