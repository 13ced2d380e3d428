#include "books/TfrmBeiwang.h"

#include "books/TfrmBeiwangEdit.h"
#include "core/data/Tdm.h"
#include "forms/DataGrid.h"

TfrmBeiwang::TfrmBeiwang(QWidget* owner)
    : TfrmBaseList(owner)
{
    setWindowTitle(QStringLiteral("备忘录"));
    TableName = QStringLiteral("Beiwang");
    OrderSql = QStringLiteral(" order by ord");
    offerDeleteAndExport();
    addTip();
    setColumns({
        {QStringLiteral("标题"), QStringLiteral("title"), 600},
        {QStringLiteral("编号(排序)"), QStringLiteral("ord"), 120},
    });
    cxGrid1->setGroupByBoxVisible(false);
    setAdPage(dm->adCommon);
}

TfrmBaseEdit* TfrmBeiwang::createEditor()
{
    return new TfrmBeiwangEdit(this);
}
