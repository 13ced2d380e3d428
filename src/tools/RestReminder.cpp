#include "tools/RestReminder.h"

#include "core/data/DbError.h"
#include "core/data/Tdm.h"
#include "core/tools/RestInterval.h"
#include "forms/ErrorReport.h"

#include <QAction>
#include <QTimer>

RestReminder::RestReminder(QAction* restItem, QObject* parent)
    : QObject(parent)
    , m_restItem(restItem)
{
    TimerRest = new QTimer(this);
    TimerRest->setObjectName(QStringLiteral("TimerRest"));
    TimerRest->setInterval(3600000);
    ErrorReport::connect(TimerRest, &QTimer::timeout, this, &RestReminder::TimerRestTimer);
    TimerRest->start();
}

void RestReminder::ArmRestTimer()
{
    std::optional<QString> parameter;
    try {
        parameter = dm->ReadParam(QStringLiteral("huyanshijian"));
    } catch (const DbError&) {
        // Unreadable counts as not set: the fallback interval applies.
    }
    const std::optional<int> interval = RestInterval::milliseconds(parameter);
    if (!interval) {
        TimerRest->stop();
        return;
    }
    TimerRest->setInterval(*interval);
}

void RestReminder::TimerRestTimer()
{
    m_restItem->trigger();
}
