#pragma once

#include <QObject>
#include <memory>

class Query;
class QTimer;

// The alarm scheduler of the main window: one timer armed for the earliest
// due time in the alarm table. Its timers keep their names, TimerAlert and
// TimerAlertTitle, so that the scheduler's states can be followed by them.
class AlertRinger : public QObject {
    Q_OBJECT

public:
    explicit AlertRinger(QObject* parent);
    ~AlertRinger() override;

    void ArmAlertTimer();

    QTimer* TimerAlert = nullptr;
    QTimer* TimerAlertTitle = nullptr;

Q_SIGNALS:
    // The armed time has come.
    void ringing();

private:
    void TimerAlertTimer();

    std::unique_ptr<Query> ADOQueryAlert;
    // The armed wait was longer than the timer holds, so its firing is early.
    bool m_waitCut = false;
};
