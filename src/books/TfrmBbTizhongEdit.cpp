#include "books/TfrmBbTizhongEdit.h"

TfrmBbTizhongEdit::TfrmBbTizhongEdit(QWidget* owner)
    : TfrmBbMeasureEdit("体重", owner)
{
    TableName = QStringLiteral("bb_tizhong");
    SaveTableName = QStringLiteral("bb_tizhong");
}
