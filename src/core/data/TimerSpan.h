#pragma once

#include <QtGlobal>

// A timer interval in milliseconds. QTimer holds its interval as an int, so
// longer spans are cut to the longest interval it can hold (about 24.8 days);
// the owner of such a timer re-arms it when it fires early.
class TimerSpan {
public:
    static constexpr int kLongest = 2147483647;

    static int fromSeconds(qint64 seconds);
    static int fromMinutes(qint64 minutes);
};
