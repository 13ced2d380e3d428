#include "alarms/AlertRinger.h"

#include "core/alarms/AlertWait.h"
#include "core/data/Clock.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/ErrorReport.h"
#include "platform/DesktopNotifier.h"
#include "platform/SoundPlayer.h"

#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {
// Timers are not exact to the millisecond; a smaller difference between the
// timer and the wall clock is not a sleep or a change of the clock.
constexpr qint64 kClockSlack = 2000;
constexpr int kMostTextsInNotification = 10;
} // namespace

AlertRinger::AlertRinger(QObject* parent)
    : QObject(parent)
    , ADOQueryAlert(std::make_unique<Query>(dm->ADOConnection1()))
{
    TimerAlert = new QTimer(this);
    TimerAlert->setObjectName(QStringLiteral("TimerAlert"));
    TimerAlert->setSingleShot(true);
    ErrorReport::connect(TimerAlert, &QTimer::timeout, this, &AlertRinger::TimerAlertTimer);

    TimerAlertTitle = new QTimer(this);
    TimerAlertTitle->setObjectName(QStringLiteral("TimerAlertTitle"));
    TimerAlertTitle->setInterval(300);
    ErrorReport::connect(TimerAlertTitle, &QTimer::timeout, this, &AlertRinger::TimerAlertTitleTimer);

    m_wallClock = new QTimer(this);
    m_wallClock->setObjectName(QStringLiteral("TimerAlertWallClock"));
    m_wallClock->setInterval(kWallClockCheck);
    ErrorReport::connect(m_wallClock, &QTimer::timeout, this, &AlertRinger::checkWallClock);
}

AlertRinger::~AlertRinger() = default;

void AlertRinger::setSurroundings(Surroundings surroundings)
{
    m_around = std::move(surroundings);
}

QString AlertRinger::flashTitle(const QString& programTitle)
{
    return QStringLiteral("【\u3000\u3000】") + programTitle;
}

QString AlertRinger::ringTitle(const QString& programTitle)
{
    return QStringLiteral("【闹铃】") + programTitle;
}

bool AlertRinger::isRinging() const
{
    return TimerAlertTitle->isActive();
}

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
    const qint64 seconds = AlertWait::seconds(now, due);
    m_waitCut = AlertWait::exceedsTimer(seconds);
    m_fireAt = now.addSecs(seconds);
    TimerAlert->setInterval(AlertWait::timerInterval(now, due));
    TimerAlert->start();
    m_wallClock->start();
}

void AlertRinger::checkWallClock()
{
    if (!TimerAlert->isActive()) {
        m_wallClock->stop();
        return;
    }
    const qint64 left = Clock::now().msecsTo(m_fireAt);
    if (left <= 0) {
        TimerAlertTimer();
        return;
    }
    if (!m_waitCut && qAbs(TimerAlert->remainingTime() - left) > kClockSlack) {
        // The alarm keeps its time on the wall clock.
        TimerAlert->start(int(left));
    }
}

void AlertRinger::TimerAlertTimer()
{
    TimerAlert->stop();
    m_wallClock->stop();
    if (m_waitCut && Clock::now() < m_fireAt) {
        // Only part of a long wait has passed: nothing is due yet.
        ArmAlertTimer();
        return;
    }
    if (m_around.restore) {
        m_around.restore();
    }
    TimerAlertTitle->start();
    if (m_around.sound) {
        m_around.sound->play();
    }
    notifyDueAlarms();
    Q_EMIT ringing();
}

void AlertRinger::TimerAlertTitleTimer()
{
    const QString& title = m_around.programTitle;
    if (m_around.window && m_around.window->windowTitle() == flashTitle(title)) {
        setTitle(ringTitle(title));
        if (m_around.button) {
            m_around.button->setText(QStringLiteral("闹铃"));
        }
    } else {
        setTitle(flashTitle(title));
        if (m_around.button) {
            m_around.button->setText(QString());
        }
    }
    if (m_around.tray) {
        m_around.tray->setIcon(m_around.trayIcons[m_iconPhase]);
    }
    m_iconPhase = 1 - m_iconPhase;
}

void AlertRinger::btnAlertClick()
{
    TimerAlertTitle->stop();
    TimerAlert->stop();
    m_wallClock->stop();
    if (m_around.button) {
        m_around.button->setText(QStringLiteral("闹铃"));
    }
    if (m_around.sound) {
        m_around.sound->stop();
    }
    if (m_around.tray) {
        m_around.tray->setIcon(m_around.trayIcons[0]);
    }
    setTitle(m_around.programTitle);
    if (m_around.openList) {
        m_around.openList();
    }
    ArmAlertTimer();
}

void AlertRinger::setTitle(const QString& title)
{
    if (m_around.window) {
        m_around.window->setWindowTitle(title);
    }
}

void AlertRinger::notifyDueAlarms()
{
    if (!m_around.notifier) {
        return;
    }
    Query due(dm->ADOConnection1());
    due.setSql(QStringLiteral("select title from alert where dt <= now() order by dt"));
    due.open();
    QStringList texts;
    for (due.first(); !due.eof() && texts.size() < kMostTextsInNotification; due.next()) {
        texts << due.asText(QStringLiteral("title"));
    }
    m_around.notifier->notify(QStringLiteral("闹铃"), texts.join(QLatin1Char('\n')));
}
