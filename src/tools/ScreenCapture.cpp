#include "tools/ScreenCapture.h"

#include "core/data/Tdm.h"
#include "core/tools/CapturePath.h"

#include <QTimer>

ScreenCapture::ScreenCapture(QObject* parent)
    : QObject(parent)
{
    TimerJieping = new QTimer(this);
    TimerJieping->setObjectName(QStringLiteral("TimerJieping"));
    TimerJieping->setInterval(60000);
}

void ScreenCapture::ArmJiepingTimer()
{
    const std::optional<int> interval = CapturePath::timerInterval(dm->jiepingpinlv);
    if (!interval) {
        TimerJieping->stop();
        return;
    }
    TimerJieping->setInterval(*interval);
    TimerJieping->start();
}
