#include "books/TfrmJiankang.h"

#include "books/TfrmJiankangEdit.h"
#include "core/data/Tdm.h"

TfrmJiankang::TfrmJiankang(QWidget* owner)
    : TfrmBaseListFilter(owner)
{
    setWindowTitle(QStringLiteral("健康档案"));
    TableName = QStringLiteral("jiankangdangan");
    OrderSql = QStringLiteral(" order by dt desc");
    setColumns({
        {QStringLiteral("日期"), QStringLiteral("dt"), 150},
        {QStringLiteral("类型"), QStringLiteral("knd"), 150},
        {QStringLiteral("标题"), QStringLiteral("title"), 500},
    });
    setAdPage(dm->adJiankang);
}

TfrmBaseListFilter::DaysSetting TfrmJiankang::daysSetting() const
{
    return {dm->DaysJiankang, 180,
            QStringLiteral("“健康档案列表默认日期范围天数”格式错误，请重新设置。现在默认180天。")};
}

TfrmBaseEdit* TfrmJiankang::createEditor()
{
    return new TfrmJiankangEdit(this);
}
