#include "forms/TMcxButtonEdit.h"

#include <QAction>
#include <QStyle>

TMcxButtonEdit::TMcxButtonEdit(QWidget* parent)
    : QLineEdit(parent)
{
    QAction* action = addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView), QLineEdit::TrailingPosition);
    connect(action, &QAction::triggered, this, &TMcxButtonEdit::buttonClicked);
}
