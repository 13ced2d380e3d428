#include "core/data/DateRange.h"

#include "core/data/Clock.h"
#include "core/data/WholeNumber.h"

QString DateRange::conditions(const QDate& start, const QDate& end)
{
    QString sql;
    if (start.isValid()) {
        sql += QStringLiteral(" and dt >= #") + literalText(start) + QLatin1Char('#');
    }
    if (end.isValid()) {
        sql += QStringLiteral(" and dt - 1 < #") + literalText(end) + QLatin1Char('#');
    }
    return sql;
}

DateRange::Start DateRange::startFromDays(const QString& daysParameter, int fallbackDays)
{
    const std::optional<int> days = WholeNumber::parse(daysParameter);
    const QDate today = Clock::today();
    const QDate start = days ? today.addDays(-qint64(*days)) : QDate();
    if (!start.isValid() || start < earliest() || start > latest()) {
        return {today.addDays(-fallbackDays), true};
    }
    return {start, false};
}
