#include "core/data/Clock.h"

#include <memory>

namespace {
class SystemClock : public Clock {};

std::unique_ptr<Clock>& current()
{
    static std::unique_ptr<Clock> clock;
    return clock;
}
} // namespace

QDateTime Clock::now()
{
    return instance().currentDateTimeImpl();
}

QDate Clock::today()
{
    return now().date();
}

void Clock::setInstance(Clock* clock)
{
    current().reset(clock);
}

QDateTime Clock::currentDateTimeImpl() const
{
    return QDateTime::currentDateTime();
}

Clock& Clock::instance()
{
    auto& clock = current();
    if (!clock) {
        clock = std::make_unique<SystemClock>();
    }
    return *clock;
}
