#pragma once

#include "core/data/Clock.h"

// A clock that stands still at a chosen moment until moved.
class MockClock : public Clock {
public:
    explicit MockClock(QDateTime now)
        : m_now(std::move(now))
    {
    }

    // Installs a clock at the moment and returns it (owned by Clock).
    static MockClock* install(const QDateTime& now)
    {
        auto* clock = new MockClock(now);
        Clock::setInstance(clock);
        return clock;
    }

    void setNow(const QDateTime& now) { m_now = now; }

    void advanceSecs(qint64 secs) { m_now = m_now.addSecs(secs); }

protected:
    QDateTime currentDateTimeImpl() const override { return m_now; }

private:
    QDateTime m_now;
};
