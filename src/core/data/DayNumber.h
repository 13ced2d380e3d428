#pragma once

#include <QDateTime>

// Dates are stored as day numbers: whole days since 30 December 1899, the time
// of day as the fraction. Arithmetic in days ("dt - 1", "now() + 7") then works
// directly in SQL.
class DayNumber {
public:
    static double fromDate(const QDate& date);
    static double fromDateTime(const QDateTime& dateTime);
    static QDateTime toDateTime(double dayNumber);

    // Parses "yyyy-M-d" or "yyyy/M/d", optionally followed by " h:m" or " h:m:s";
    // returns an invalid QDateTime when the text names no real date.
    static QDateTime parse(const QString& text);
};
