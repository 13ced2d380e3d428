#pragma once

#include <QWidget>
#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QSystemTrayIcon;
class AlertRinger;
class DailyBackup;
class Query;
class RestReminder;
class ScreenCapture;
class SoundPlayer;
class StartMinimiser;
class TMcxTextEdit;
class WebView;

// The main window: the bar of module buttons and option boxes, the link bar
// and home page, the status bar, and the timers that keep working while the
// program is minimised or hidden.
class TfrmMain : public QWidget {
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 629;
    static constexpr int kLinkBarHeight = 60;

    // Operations the show sequence runs, in its order.
    void MarkFirstStart();
    void LoadAutoStart();
    void ArmRestTimer();
    void ArmJiepingTimer();
    void ArmAlertTimer();
    void CheckLogin();
    void btnAlertClick();

    // The session is ending: close at once, without a question.
    void endSession();

    void MakeDesktopShortcut();
    // Minimises into the tray while the tray icon is active, else to the taskbar.
    void minimizeApp();
    void restoreApp();
    void btnLoginClick();
    void openPasswordWindow();
    void refreshHomePage();
    bool isLocked() const;
    QString expectedPassword() const;

    QString statusText(int panel) const;

    bool exitConfirmed() const { return m_exitFlag; }

    bool firstStart() const { return m_firstStart; }

    // Controls, named as the rest of the program knows them.
    QFrame* pnlMenu = nullptr;
    WebView* WebBrowser1 = nullptr;
    WebView* WebBrowser2 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QFrame* pnlLogin = nullptr;
    QCheckBox* cbAutoStart = nullptr;
    QCheckBox* cbStartmin = nullptr;
    QCheckBox* cbMin = nullptr;
    QCheckBox* cbShowhint = nullptr;
    QCheckBox* cbMyUrl = nullptr;
    QPushButton* btnAlert = nullptr;
    QPushButton* btnQuick = nullptr;
    QPushButton* McxButton6 = nullptr;
    QPushButton* McxButton7 = nullptr;
    QLabel* RzClockStatus1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* N1 = nullptr;
    QAction* mmiLogout = nullptr;
    QLabel* MLabel1 = nullptr;
    TMcxTextEdit* edtLogin = nullptr;
    QPushButton* btnLogin = nullptr;
    QSystemTrayIcon* RzTrayIcon1 = nullptr;
    SoundPlayer* MediaPlayer1 = nullptr;

    // The concerns its timers drive, each an object of its own.
    AlertRinger* alertRinger = nullptr;
    RestReminder* restReminder = nullptr;
    ScreenCapture* screenCapture = nullptr;
    StartMinimiser* startMinimiser = nullptr;
    DailyBackup* dailyBackup = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildButtonBar();
    void buildTimers();
    void connectModules();
    void afterModuleClosed(int action);
    void buildMenu();
    void buildLoginPanel();
    void buildTray();
    void onAutoStartToggled(bool on);
    void runShowSequence();
    void updateClock();
    void watchNotificationArea();

    void applyShowHint(bool on);
    void applyMyUrl(bool on);
    void applyHideOnMin(bool on);
    void onShowhintToggled(bool on);
    void onMyUrlToggled(bool on);
    void onMinToggled(bool on);
    void onStartminClicked(bool on);
    void onExitClicked();

    std::unique_ptr<Query> ADOQuery1;
    QLabel* m_statusPanels[2] = {nullptr, nullptr};
    QTimer* m_clockTimer = nullptr;
    bool m_shown = false;
    bool m_exitFlag = false;
    bool m_firstStart = false;
};
