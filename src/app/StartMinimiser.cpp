#include "app/StartMinimiser.h"

#include "app/TfrmMain.h"
#include "forms/ErrorReport.h"

#include <QCheckBox>
#include <QTimer>

StartMinimiser::StartMinimiser(TfrmMain* main)
    : QObject(main)
    , m_main(main)
{
    TimerMinApp = new QTimer(this);
    TimerMinApp->setObjectName(QStringLiteral("TimerMinApp"));
    TimerMinApp->setInterval(300);
    ErrorReport::connect(TimerMinApp, &QTimer::timeout, this, &StartMinimiser::TimerMinAppTimer);
    TimerMinApp->start();
}

void StartMinimiser::TimerMinAppTimer()
{
    TimerMinApp->stop();
    if (m_main->cbStartmin->isChecked()) {
        m_main->minimizeApp();
    }
}
