#pragma once

#include <QDateTime>

// How long the alarm timer waits for the earliest alarm: the seconds from now
// to its due time, rounded to the nearest second with halves to the even
// neighbour, held as a signed 32-bit number, and never less than a minute, so
// that an overdue alarm left in the table rings once a minute, not constantly.
class AlertWait {
public:
    static constexpr qint64 kFloorSeconds = 60;

    static qint64 seconds(const QDateTime& now, const QDateTime& due);
    // The timer interval for that wait; a wait longer than the timer can hold
    // is cut, and the timer firing early must then arm again, not ring.
    static int timerInterval(const QDateTime& now, const QDateTime& due);
    // True when that wait is longer than the timer can hold: the timer then
    // fires before the alarm is due.
    static bool exceedsTimer(qint64 seconds);
};
