#pragma once

#include <QString>

// Turning the computer off at a time, now, or not at all: the shutdown tool's
// buttons, carried out by the system's own commands.
class ShutdownScheduler {
public:
    enum class Action { ScheduleAt, List, Now, Cancel, Abort };

    virtual ~ShutdownScheduler() = default;

    // hour and minute are used by ScheduleAt only. shown: in a window the user
    // sees, or hidden. False when the commands could not be started.
    virtual bool run(Action action, int hour, int minute, bool shown) = 0;
};
