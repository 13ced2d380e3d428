#include "core/books/BabyAge.h"

namespace {
int span(const QDate& from, const QDate& to)
{
    return int(qAbs(from.daysTo(to)));
}

// A month is 30.4375 = 487 / 16 days and a year 365.25 = 1461 / 4 days, so the
// truncated quotients come out of whole-number arithmetic.
int wholeMonths(int days)
{
    return int(qint64(days) * 16 / 487);
}

int wholeYears(int days)
{
    return int(qint64(days) * 4 / 1461);
}

QString number(int value)
{
    return QString::number(value);
}
} // namespace

BabyAge BabyAge::between(const QDate& birth, const QDate& today)
{
    BabyAge age;
    age.days = span(birth, today);
    age.months = wholeMonths(age.days);
    age.monthRestDays = span(birth.addMonths(age.months), today);
    age.years = wholeYears(age.days);
    const QDate anniversary = birth.addYears(age.years);
    age.yearMonths = wholeMonths(span(anniversary, today));
    age.yearRestDays = span(anniversary.addMonths(age.yearMonths), today);
    age.daysToBirthday = span(birth.addYears(age.years + 1), today);
    return age;
}

QString BabyAge::daysText() const
{
    return QStringLiteral("距离今天已经 ") + number(days) + QStringLiteral(" 天。");
}

QString BabyAge::monthsText() const
{
    return QStringLiteral("距离今天已经 ") + number(months) + QStringLiteral(" 个月 ") + number(monthRestDays) +
           QStringLiteral(" 天。");
}

QString BabyAge::yearsText() const
{
    return QStringLiteral("距离今天已经 ") + number(years) + QStringLiteral(" 年 ") + number(yearMonths) +
           QStringLiteral(" 个月 ") + number(yearRestDays) + QStringLiteral(" 天。");
}

QString BabyAge::birthdayText() const
{
    return QStringLiteral("距离下一个生日还有 ") + number(daysToBirthday) + QStringLiteral(" 天。");
}
