#include "books/TfrmDianhua.h"

#include "books/TfrmDianhuaEdit.h"
#include "core/data/Tdm.h"

TfrmDianhua::TfrmDianhua(QWidget* owner)
    : TfrmBaseList(owner)
{
    setWindowTitle(QStringLiteral("通讯录"));
    TableName = QStringLiteral("Dianhua");
    OrderSql = QStringLiteral(" order by ord");
    offerDeleteAndExport();
    addTip();
    setColumns({
        {QStringLiteral("姓名"), QStringLiteral("xingming"), 120},
        {QStringLiteral("类型"), QStringLiteral("leixing"), 120},
        {QStringLiteral("性别"), QStringLiteral("xingbie"), 60},
        {QStringLiteral("手机"), QStringLiteral("shouji"), 120},
        {QStringLiteral("电话"), QStringLiteral("dianhua"), 120},
        {QStringLiteral("QQ"), QStringLiteral("qq"), 120},
        {QStringLiteral("Email"), QStringLiteral("email"), 200},
        {QStringLiteral("地址"), QStringLiteral("addr"), 300},
        {QStringLiteral("编号(排序)"), QStringLiteral("ord"), 120},
    });
    setAdPage(dm->adCommon);
}

TfrmBaseEdit* TfrmDianhua::createEditor()
{
    return new TfrmDianhuaEdit(this);
}
