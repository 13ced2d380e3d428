#include "books/TfrmParam.h"

#include "books/TfrmParamEdit.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/DataGrid.h"

#include <QLabel>
#include <QPushButton>

TfrmParam::TfrmParam(QWidget* owner)
    : TfrmBaseList(owner)
{
    setWindowTitle(QStringLiteral("参数设置"));
    TableName = QStringLiteral("Param");
    OrderSql = QStringLiteral(" order by ord");
    btnNew->hide();
    btnCopyNew->hide();
    btnDelete->hide();
    setColumns({
        {QStringLiteral("参数"), QStringLiteral("REMARK"), 389},
        {QStringLiteral("值"), QStringLiteral("VAL"), 568},
    });
    cxGrid1->setGroupByBoxVisible(false);
    setAdPage(dm->adCommon);
}

TfrmBaseEdit* TfrmParam::createEditor()
{
    return new TfrmParamEdit(this);
}

void TfrmParam::editorPrepared(TfrmBaseEdit* editor, EditorMode)
{
    // The value editor is captioned with the parameter's description.
    const QString remark = query().asText(QStringLiteral("remark"));
    editor->setWindowTitle(remark);
    static_cast<TfrmParamEdit*>(editor)->Label1->setText(remark);
}
