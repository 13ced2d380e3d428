// The main window's resident behaviour: tray, minimising instead of closing,
// autostart, the desktop launcher and the confirmed exit.
#include "app/TfrmMain.h"
#include "app/TrayImages.h"
#include "core/data/AppPaths.h"
#include "core/data/SysParams.h"
#include "core/data/Tdm.h"
#include "forms/ErrorReport.h"
#include "forms/MessageBox.h"
#include "platform/AutoStart.h"
#include "platform/DesktopShortcut.h"
#include "platform/Platform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSystemTrayIcon>
#include <QTimer>

void TfrmMain::buildTray()
{
    RzTrayIcon1 = new QSystemTrayIcon(TrayImages::image(0), this);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(QStringLiteral("打开Pelorin"));
    N1->setObjectName(QStringLiteral("N1"));
    ErrorReport::connect(N1, &QAction::triggered, this, &TfrmMain::restoreApp);
    RzTrayIcon1->setContextMenu(PopupMenu1);
    ErrorReport::connect(RzTrayIcon1, &QSystemTrayIcon::activated, this,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::DoubleClick) {
                                 restoreApp();
                             }
                         });
}

void TfrmMain::watchNotificationArea()
{
    // A panel that restarts takes the notification area with it, and a window
    // hidden behind the icon would be out of reach: the area is looked at with
    // each tick of the clock, and the window comes back to the taskbar when
    // the area is gone.
    const bool hiddenInTray = RzTrayIcon1->isVisible() && isHidden() && testAttribute(Qt::WA_WState_ExplicitShowHide);
    applyHideOnMin(cbMin->isChecked());
    if (hiddenInTray && !RzTrayIcon1->isVisible() && !m_exitFlag) {
        showMinimized();
    }
}

void TfrmMain::applyHideOnMin(bool on)
{
    // Where no notification area exists the icon stays inactive and minimising
    // goes to the taskbar.
    RzTrayIcon1->setVisible(on && Platform::hasNotificationArea());
}

void TfrmMain::onMinToggled(bool on)
{
    applyHideOnMin(on);
    SysParams::writeSwitch(*ADOQuery1, QStringLiteral("hideonmin"), on);
}

void TfrmMain::onStartminClicked(bool on)
{
    SysParams::writeSwitch(*ADOQuery1, QStringLiteral("startmin"), on);
}

void TfrmMain::LoadAutoStart()
{
    const QSignalBlocker blocker(cbAutoStart);
    cbAutoStart->setChecked(Platform::autoStart().isEnabledFor(QCoreApplication::applicationFilePath()));
}

void TfrmMain::onAutoStartToggled(bool on)
{
    if (on) {
        // A failure goes to the general error report; the box stays ticked
        // for this run and shows the real state at the next start.
        Platform::autoStart().enable(QCoreApplication::applicationFilePath());
    } else {
        Platform::autoStart().disable();
    }
}

void TfrmMain::MakeDesktopShortcut()
{
    // A launcher that cannot be saved is not reported; the button is done either way.
    Platform::desktopShortcut().make(dm->title, QCoreApplication::applicationFilePath(), AppPaths::programFolder());
    btnQuick->setEnabled(false);
}

void TfrmMain::minimizeApp()
{
    if (RzTrayIcon1->isVisible()) {
        hide();
    } else {
        showMinimized();
    }
}

void TfrmMain::restoreApp()
{
    showNormal();
    raise();
    activateWindow();
}

void TfrmMain::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Minimised while the tray icon is active: no taskbar button, only the icon.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && RzTrayIcon1->isVisible()) {
        QTimer::singleShot(0, this, &QWidget::hide);
    }
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (m_exitFlag) {
        RzTrayIcon1->hide();
        event->accept();
        QCoreApplication::quit();
        return;
    }
    // The program stays resident so that its alarms and timers keep working.
    event->ignore();
    if (cbAutoStart->isChecked() ||
        MessageBox::question(this, dm->title + QStringLiteral("将最小化到右下角托盘！是否继续？")) == MessageBox::Yes) {
        minimizeApp();
    }
}

void TfrmMain::onExitClicked()
{
    const QString question =
        QStringLiteral("退出") + dm->title + QStringLiteral("后护眼、闹铃、截屏等功能都将失效，确定继续退出吗？");
    if (MessageBox::question(this, question) != MessageBox::Yes) {
        return;
    }
    m_exitFlag = true;
    if (btnQuick->isEnabled()) {
        MakeDesktopShortcut();
    }
    close();
}

void TfrmMain::endSession()
{
    m_exitFlag = true;
    // A question or module window that is open must not hold the program up:
    // each is dismissed, then the main window closes and the program ends.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        if (QApplication::activeModalWidget() == modal) {
            break;
        }
    }
    close();
}
