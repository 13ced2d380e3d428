#include "alarms/AlertRinger.h"

#include "core/alarms/AlertWait.h"
#include "core/data/Clock.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"

#include <QTimer>

AlertRinger::AlertRinger(QObject* parent)
    : QObject(parent)
    , ADOQueryAlert(std::make_unique<Query>(dm->ADOConnection1()))
{
    TimerAlert = new QTimer(this);
    TimerAlert->setObjectName(QStringLiteral("TimerAlert"));
    TimerAlert->setSingleShot(true);
    connect(TimerAlert, &QTimer::timeout, this, &AlertRinger::TimerAlertTimer);

    TimerAlertTitle = new QTimer(this);
    TimerAlertTitle->setObjectName(QStringLiteral("TimerAlertTitle"));
    TimerAlertTitle->setInterval(300);
}

AlertRinger::~AlertRinger() = default;

void AlertRinger::ArmAlertTimer()
{
    ADOQueryAlert->close();
    ADOQueryAlert->setSql(QStringLiteral("select min(dt) as mdt from alert"));
    ADOQueryAlert->open();
    if (ADOQueryAlert->asText(QStringLiteral("mdt")).isEmpty()) {
        // An empty table leaves the timer as it is: off wherever this is called.
        return;
    }
    const QDateTime now = Clock::now();
    const QDateTime due = ADOQueryAlert->asDateTime(QStringLiteral("mdt"));
    m_waitCut = AlertWait::exceedsTimer(AlertWait::seconds(now, due));
    TimerAlert->setInterval(AlertWait::timerInterval(now, due));
    TimerAlert->start();
}

void AlertRinger::TimerAlertTimer()
{
    TimerAlert->stop();
    if (m_waitCut) {
        // Only part of a long wait has passed: nothing is due yet.
        ArmAlertTimer();
        return;
    }
    Q_EMIT ringing();
}
