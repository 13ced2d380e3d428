#pragma once

#include <QDateTime>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class DesktopNotifier;
class QPushButton;
class QSystemTrayIcon;
class QTimer;
class Query;
class SoundPlayer;

// The alarm scheduler of the main window: one timer armed for the earliest
// due time in the alarm table. When it fires the program comes back to the
// front, the sound plays once, and the title, the 闹铃 button and the tray
// icon flash until 闹铃 is pressed; that opens the alarm list and arms again
// when it closes. The timers keep their names, TimerAlert and TimerAlertTitle.
class AlertRinger : public QObject {
    Q_OBJECT

public:
    // What the ringer acts on; all of it belongs to the main window.
    struct Surroundings {
        QWidget* window = nullptr; // its title flashes
        QPushButton* button = nullptr;
        QSystemTrayIcon* tray = nullptr;
        QIcon trayIcons[2];
        SoundPlayer* sound = nullptr;
        DesktopNotifier* notifier = nullptr;
        QString programTitle;
        std::function<void()> restore;
        std::function<void()> openList;
    };

    explicit AlertRinger(QObject* parent);
    ~AlertRinger() override;

    void setSurroundings(Surroundings surroundings);

    void ArmAlertTimer();
    void btnAlertClick();

    bool isRinging() const;
    // Compares the armed time with the wall clock: after the computer slept, or
    // the user changed the clock, the elapsed-time timer no longer agrees.
    void checkWallClock();

    static QString flashTitle(const QString& programTitle); // "【　　】" + title
    static QString ringTitle(const QString& programTitle);  // "【闹铃】" + title

    QTimer* TimerAlert = nullptr;
    QTimer* TimerAlertTitle = nullptr;

    static constexpr int kWallClockCheck = 30000;

Q_SIGNALS:
    // The armed time has come and the flashing starts.
    void ringing();

private:
    void TimerAlertTimer();
    void TimerAlertTitleTimer();
    void notifyDueAlarms();
    void setTitle(const QString& title);

    Surroundings m_around;
    std::unique_ptr<Query> ADOQueryAlert;
    QTimer* m_wallClock = nullptr;
    // When the armed timer is to fire, by the wall clock.
    QDateTime m_fireAt;
    // The armed wait was longer than the timer holds, so its firing is early.
    bool m_waitCut = false;
    int m_iconPhase = 0;
};
