#include "app/TfrmPwdChange.h"

#include "core/data/SysParams.h"
#include "forms/ErrorReport.h"
#include "forms/MessageBox.h"
#include "forms/TMcxTextEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
QLineEdit* passwordEdit(QWidget* window, const char* name, const char* caption, int labelTop)
{
    auto* label = new QLabel(QString::fromUtf8(caption), window);
    label->move(24, labelTop);
    auto* edit = new QLineEdit(window);
    edit->setObjectName(QString::fromUtf8(name));
    TMcxTextEdit::setPasswordMode(edit);
    edit->setGeometry(24, labelTop + 24, 185, edit->sizeHint().height());
    label->setBuddy(edit);
    return edit;
}
} // namespace

TfrmPwdChange::TfrmPwdChange(QWidget* owner)
    : TfrmBaseTool(owner)
{
    setWindowTitle(QStringLiteral("修改密码"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    resize(246, 281);
    btnOK = addToolButton(QStringLiteral("btnOK"), QStringLiteral("确定"));
    btnOK->setDefault(true);
    ErrorReport::connect(btnOK, &QPushButton::clicked, this, &TfrmPwdChange::btnOKClick);
    edtOld = passwordEdit(this, "edtOld", "原密码", 56);
    edtNew1 = passwordEdit(this, "edtNew1", "新密码", 112);
    edtNew2 = passwordEdit(this, "edtNew2", "重复新密码", 168);
    windowLayout()->addStretch(1);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    windowLayout()->addWidget(StatusBar1);
}

void TfrmPwdChange::showEvent(QShowEvent* event)
{
    TfrmBaseTool::showEvent(event);
    edtOld->setFocus();
}

void TfrmPwdChange::btnOKClick()
{
    if (edtOld->text() != oldPassword) {
        MessageBox::information(this, QStringLiteral("原密码不正确！"));
        edtOld->setFocus();
        return;
    }
    if (edtNew1->text() != edtNew2->text()) {
        MessageBox::information(this, QStringLiteral("两次新密码不一致！"));
        edtNew1->setFocus();
        return;
    }
    if (edtNew1->text() == edtOld->text()) {
        MessageBox::information(this, QStringLiteral("新旧密码相同！"));
        edtNew1->setFocus();
        return;
    }
    // A password the column cannot hold fails here with the data layer's
    // message; the window stays open and the stored password is unchanged.
    SysParams::write(query(), QStringLiteral("loginpwd"), edtNew1->text());
    MessageBox::information(this, QStringLiteral("修改成功，请记住新密码！"));
    accept();
}
