#include "books/TfrmBbShengaoEdit.h"

TfrmBbShengaoEdit::TfrmBbShengaoEdit(QWidget* owner)
    : TfrmBbMeasureEdit("身高", owner)
{
    TableName = QStringLiteral("bb_shengao");
    SaveTableName = QStringLiteral("bb_shengao");
}
