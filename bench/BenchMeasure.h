#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// Timing and memory for the benchmarks: the median and spread of repeated
// runs after a warm-up, and the process's resident memory beside them.
struct Timing {
    double median = 0;
    double fastest = 0;
    double slowest = 0;
};

// after, when given, runs after each run outside the time (a teardown).
inline Timing measureMs(int runs, const std::function<void()>& work, int warmUps = 2,
                        const std::function<void()>& after = {})
{
    for (int i = 0; i < warmUps; ++i) {
        work();
        if (after) {
            after();
        }
    }
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (after) {
            after();
        }
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

// VmRSS or VmHWM of this process in MB, from /proc/self/status.
inline double memoryMb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return 0;
}

// Lets VmHWM start again from the current resident size (Linux 4.0 and later),
// so that the peak of one step can be read.
inline void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) {
        clear.write("5");
    }
}

// One row of the results table: the figure, its floor measured in the same
// run, the ratio and the goal. scripts/bench gathers the rows that start with "|".
inline void reportAgainstFloor(const QByteArray& what, const Timing& figure, const Timing& floor, const char* goal)
{
    std::printf("| %s | %.1f ms (%.1f–%.1f) | %.1f ms (%.1f–%.1f) | %.2f | %s | rss %.0f MB, hwm %.0f MB |\n",
                what.constData(), figure.median, figure.fastest, figure.slowest, floor.median, floor.fastest,
                floor.slowest, floor.median > 0 ? figure.median / floor.median : 0.0, goal, memoryMb("VmRSS"),
                memoryMb("VmHWM"));
    std::fflush(stdout);
}

// A row whose figure is memory, in MB, beside its floor or allowance.
inline void reportMemory(const QByteArray& what, double figureMb, double floorMb, const char* goal,
                         const char* note = "")
{
    std::printf("| %s | %.1f MB | %.1f MB | %.2f | %s | %s |\n", what.constData(), figureMb, floorMb,
                floorMb > 0 ? figureMb / floorMb : 0.0, goal, note);
    std::fflush(stdout);
}
