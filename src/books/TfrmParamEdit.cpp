#include "books/TfrmParamEdit.h"

#include "forms/TMcxTextEdit.h"

#include <QLabel>

TfrmParamEdit::TfrmParamEdit(QWidget* owner)
    : TfrmBaseEdit(owner)
{
    setWindowTitle(QStringLiteral("参数编辑"));
    TableName = QStringLiteral("Param");
    SaveTableName = QStringLiteral("Param");
    resize(587, 177);
    Label1 = new QLabel(QStringLiteral("参数值"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 56, 545, 20);
    VAL = new TMcxTextEdit(this);
    VAL->setObjectName(QStringLiteral("VAL"));
    VAL->setGeometry(16, 80, 545, VAL->sizeHint().height());
}
