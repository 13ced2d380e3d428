#include "core/data/TimerSpan.h"

#include <algorithm>

namespace {
int fromMilliseconds(qint64 count, qint64 unit)
{
    if (count <= 0) {
        return 0;
    }
    // Compared before multiplying, so that no count overflows.
    if (count > TimerSpan::kLongest / unit) {
        return TimerSpan::kLongest;
    }
    return int(std::min<qint64>(count * unit, TimerSpan::kLongest));
}
} // namespace

int TimerSpan::fromSeconds(qint64 seconds)
{
    return fromMilliseconds(seconds, 1000);
}

int TimerSpan::fromMinutes(qint64 minutes)
{
    return fromMilliseconds(minutes, 60000);
}
