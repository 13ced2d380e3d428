#pragma once

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

inline Timing measureMs(int runs, const std::function<void()>& work, int warmUps = 2)
{
    for (int i = 0; i < warmUps; ++i) {
        work();
    }
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
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

// One line: the figure, its floor measured in the same run, the ratio and the goal.
inline void reportAgainstFloor(const char* what, const Timing& figure, const Timing& floor, const char* goal)
{
    std::printf("%-40s %9.3f ms (%.3f-%.3f)  floor %9.3f ms  ratio %5.2f  goal %s  rss %.1f MB  hwm %.1f MB\n", what,
                figure.median, figure.fastest, figure.slowest, floor.median, figure.median / floor.median, goal,
                memoryMb("VmRSS"), memoryMb("VmHWM"));
}
