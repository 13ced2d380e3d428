// The main window's show sequence, the options of its button bar and the arming of its timers.
#include "app/TfrmMain.h"
#include "core/data/AppPaths.h"
#include "core/data/FirstStart.h"
#include "core/data/Query.h"
#include "core/data/SysParams.h"
#include "core/data/Tdm.h"
#include "forms/BalloonHints.h"
#include "forms/ErrorReport.h"
#include "forms/MessageBox.h"
#include "forms/WebView.h"
#include "platform/SoundPlayer.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSystemTrayIcon>

void TfrmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shown) {
        return;
    }
    // Restoring from the taskbar or tray shows the window again; the sequence
    // runs only at start.
    m_shown = true;
    runShowSequence();
}

void TfrmMain::runShowSequence()
{
    // A failed step ends the rest of the sequence and is reported; the window stays.
    ErrorReport::guard([this] {
        MarkFirstStart();
        LoadAutoStart();
        ArmRestTimer();
        const QString qq = SysParams::read(*ADOQuery1, QStringLiteral("qq"));
        m_statusPanels[0]->setText(dm->title + QLatin1Char(' ') + dm->version);
        m_statusPanels[1]->setText(dm->title + QStringLiteral("祝你生活愉快！"));
        WebBrowser1->navigate(
            QUrl(dm->serviceBase + QStringLiteral("pel/main/?qq=") + qq + QStringLiteral("&v=") + dm->version));
        WebBrowser2->navigate(QUrl::fromLocalFile(AppPaths::programFile(QStringLiteral("my.htm"))));
        MediaPlayer1->setFileName(AppPaths::programFile(QStringLiteral("alert.mp3")));

        // Setting a box from its row has the same effect as the user's change;
        // the unchanged value need not be written back.
        const auto load = [this](QCheckBox* box, const char* row) {
            const QSignalBlocker blocker(box);
            box->setChecked(SysParams::isOn(*ADOQuery1, QString::fromLatin1(row)));
            return box->isChecked();
        };
        applyHideOnMin(load(cbMin, "hideonmin"));
        applyShowHint(load(cbShowhint, "showhint"));
        load(cbStartmin, "startmin");
        applyMyUrl(load(cbMyUrl, "myurl"));

        RzTrayIcon1->setToolTip(dm->title);
        ArmJiepingTimer();
        ArmAlertTimer();
        CheckLogin();
    });
}

void TfrmMain::MarkFirstStart()
{
    m_firstStart = FirstStart::mark(*dm);
    if (m_firstStart) {
        // Draws the eye to the autostart box until the program ends.
        cbAutoStart->setBackgroundRole(QPalette::Window);
        cbAutoStart->setAutoFillBackground(true);
        QPalette palette = cbAutoStart->palette();
        palette.setColor(QPalette::Window, Qt::red);
        palette.setColor(QPalette::WindowText, Qt::white);
        cbAutoStart->setPalette(palette);
    }
}

void TfrmMain::applyShowHint(bool on)
{
    BalloonHints::setHintsShown(pnlMenu, on);
}

void TfrmMain::applyMyUrl(bool on)
{
    WebBrowser2->setFixedHeight(on ? kLinkBarHeight : 0);
}

void TfrmMain::onShowhintToggled(bool on)
{
    applyShowHint(on);
    SysParams::writeSwitch(*ADOQuery1, QStringLiteral("showhint"), on);
}

void TfrmMain::onMyUrlToggled(bool on)
{
    applyMyUrl(on);
    SysParams::writeSwitch(*ADOQuery1, QStringLiteral("myurl"), on);
}
