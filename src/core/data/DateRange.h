#pragma once

#include <QDate>
#include <QString>

// The date range of a filtered list, and the conditions it adds to the list's
// statement. Both end days count whole, also for values with a time of day.
class DateRange {
public:
    // " and dt >= #start#" and " and dt - 1 < #end#"; an invalid date leaves its side open.
    static QString conditions(const QDate& start, const QDate& end);

    // The start of the range that a days parameter gives: today minus the
    // number of days, or minus the fallback when the value is not a whole
    // number or gives a day outside the calendar's years.
    struct Start {
        QDate date;
        bool usedFallback = false;
    };

    static Start startFromDays(const QString& daysParameter, int fallbackDays);

    // The days the date edits and the database hold: years 100 to 9999.
    static QDate earliest() { return {100, 1, 1}; }

    static QDate latest() { return {9999, 12, 31}; }

    static QString literalText(const QDate& date) { return date.toString(QStringLiteral("yyyy-MM-dd")); }
};
