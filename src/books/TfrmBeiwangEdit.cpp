#include "books/TfrmBeiwangEdit.h"

#include "forms/EditorLayout.h"
#include "forms/TMcxMemo.h"
#include "forms/TMcxTextEdit.h"

TfrmBeiwangEdit::TfrmBeiwangEdit(QWidget* owner)
    : TfrmBaseEdit(owner)
{
    TableName = QStringLiteral("Beiwang");
    SaveTableName = QStringLiteral("Beiwang");
    resize(435, 465);
    EditorLayout form(this);
    title = form.add<TMcxTextEdit>("title", "标题", {16, 80, 257}, EditorLayout::Required);
    ord = form.add<TMcxTextEdit>("ord", "编号(排序)", {288, 80, 121});
    remark = form.add<TMcxMemo>("remark", "备注", {16, 136, 393, 265});
    remark->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}
