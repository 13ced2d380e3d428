#pragma once

#include <QDate>
#include <QString>

// How old a child is on a given day, counted three ways (days; months and
// days; years, months and days), and how many days are left to the next
// birthday. A month counts as 30.4375 days and a year as 365.25 days; the
// remaining days are counted from the calendar date those whole months or
// years reach.
class BabyAge {
public:
    static BabyAge between(const QDate& birth, const QDate& today);

    int days = 0;
    int months = 0;
    int monthRestDays = 0;
    int years = 0;
    int yearMonths = 0;
    int yearRestDays = 0;
    int daysToBirthday = 0;

    QString daysText() const;
    QString monthsText() const;
    QString yearsText() const;
    QString birthdayText() const;
};
