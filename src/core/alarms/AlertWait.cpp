#include "core/alarms/AlertWait.h"

#include "core/data/TimerSpan.h"

#include <algorithm>
#include <cmath>
#include <limits>

qint64 AlertWait::seconds(const QDateTime& now, const QDateTime& due)
{
    // nearbyint rounds halves to even in the default rounding mode.
    const double exact = double(now.msecsTo(due)) / 1000.0;
    const double rounded = std::nearbyint(exact);
    const double held =
        std::clamp(rounded, double(std::numeric_limits<qint32>::min()), double(std::numeric_limits<qint32>::max()));
    return std::max<qint64>(qint64(held), kFloorSeconds);
}

int AlertWait::timerInterval(const QDateTime& now, const QDateTime& due)
{
    return TimerSpan::fromSeconds(seconds(now, due));
}

bool AlertWait::exceedsTimer(qint64 seconds)
{
    return seconds > TimerSpan::kLongest / 1000;
}
