#pragma once

#include <QDateTime>
#include <QStringList>
#include <optional>

// Where a screen capture taken at a moment goes: the prefix joined to "pic"
// without a separator (a prefix meant as a folder ends with one), then the
// year, month and day folders, and the file yyyyMMdd_hhmmss.JPG. Two captures
// in the same second share a name; the later one replaces the earlier.
class CapturePath {
public:
    // The folders to create, one level at a time, from "pic" down to the day.
    static QStringList folders(const QString& prefix, const QDateTime& moment);
    static QString file(const QString& prefix, const QDateTime& moment);
    // The capture timer's interval for the frequency in seconds; nullopt
    // (capturing off) unless the frequency is positive.
    static std::optional<int> timerInterval(int frequencySeconds);
};
