// The login lock of the main window and the password window.
#include "app/TfrmMain.h"
#include "app/TfrmPwdChange.h"
#include "core/data/SysParams.h"
#include "forms/ErrorReport.h"
#include "forms/MessageBox.h"
#include "forms/TMLabel.h"
#include "forms/TMcxTextEdit.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>

namespace {
constexpr int kPanelWidth = 249;
constexpr int kPanelHeight = 137;
} // namespace

void TfrmMain::buildLoginPanel()
{
    pnlLogin = new QFrame(this);
    pnlLogin->setObjectName(QStringLiteral("pnlLogin"));
    pnlLogin->resize(kPanelWidth, kPanelHeight);
    pnlLogin->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnlLogin->setLineWidth(3);
    pnlLogin->setAutoFillBackground(true);
    QPalette palette = pnlLogin->palette();
    palette.setColor(QPalette::Window, QColor(192, 220, 192));
    pnlLogin->setPalette(palette);

    MLabel1 = new TMLabel(QStringLiteral("请输入登录密码："), pnlLogin);
    MLabel1->setObjectName(QStringLiteral("MLabel1"));
    MLabel1->move(32, 24);
    edtLogin = new TMcxTextEdit(pnlLogin);
    edtLogin->setObjectName(QStringLiteral("edtLogin"));
    edtLogin->setGeometry(32, 48, 185, edtLogin->sizeHint().height());
    TMcxTextEdit::setPasswordMode(edtLogin);
    btnLogin = new QPushButton(QStringLiteral("登录"), pnlLogin);
    btnLogin->setObjectName(QStringLiteral("btnLogin"));
    btnLogin->setGeometry(136, 88, 75, 25);
    ErrorReport::connect(btnLogin, &QPushButton::clicked, this, &TfrmMain::btnLoginClick);
    // Enter in the password edit presses 登录.
    connect(edtLogin, &QLineEdit::returnPressed, btnLogin, &QPushButton::click);
    pnlLogin->hide();
}

QString TfrmMain::expectedPassword() const
{
    return edtLogin->MOnm;
}

bool TfrmMain::isLocked() const
{
    return pnlLogin->isVisibleTo(this);
}

void TfrmMain::CheckLogin()
{
    edtLogin->MOnm = SysParams::read(*ADOQuery1, QStringLiteral("loginpwd"));
    if (edtLogin->MOnm.isEmpty()) {
        mmiLogout->setVisible(false);
        return;
    }
    pnlMenu->hide();
    const QRect outer = frameGeometry();
    pnlLogin->move((outer.width() - kPanelWidth) / 2, (outer.height() - kPanelHeight) / 2);
    pnlLogin->show();
    pnlLogin->raise();
    edtLogin->setFocus();
    mmiLogout->setVisible(true);
}

void TfrmMain::btnLoginClick()
{
    // Compared exactly as stored: letter case and spaces count.
    if (edtLogin->text() != edtLogin->MOnm) {
        MessageBox::information(this, QStringLiteral("密码不正确！"));
        edtLogin->setFocus();
    } else {
        pnlLogin->hide();
        pnlMenu->show();
    }
    edtLogin->clear();
}

void TfrmMain::openPasswordWindow()
{
    TfrmPwdChange window(this);
    window.oldPassword = expectedPassword();
    if (window.exec() == QDialog::Accepted) {
        CheckLogin();
    }
}
