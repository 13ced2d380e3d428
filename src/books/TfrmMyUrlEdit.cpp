#include "books/TfrmMyUrlEdit.h"

#include "forms/EditorLayout.h"
#include "forms/TMcxTextEdit.h"

TfrmMyUrlEdit::TfrmMyUrlEdit(QWidget* owner)
    : TfrmBaseEdit(owner)
{
    TableName = QStringLiteral("MyUrl");
    SaveTableName = QStringLiteral("MyUrl");
    resize(700, 255);
    EditorLayout form(this);
    title = form.add<TMcxTextEdit>("title", "标题", {16, 80, 529}, EditorLayout::Required);
    ord = form.add<TMcxTextEdit>("ord", "编号(排序)", {560, 80, 121});
    url = form.add<TMcxTextEdit>("url", "网址", {16, 136, 665}, EditorLayout::Required);
}
