#pragma once

#include <QDateTime>

// The one source of "now" for the whole program, the database's now() included,
// so that tests can put the program at any moment.
class Clock {
public:
    virtual ~Clock() = default;

    static QDateTime now();
    static QDate today();

    // Takes ownership; nullptr restores the system clock.
    static void setInstance(Clock* clock);

protected:
    Clock() = default;
    virtual QDateTime currentDateTimeImpl() const;

private:
    static Clock& instance();
};
