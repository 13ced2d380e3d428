#include "core/data/DayNumber.h"

#include <QRegularExpression>
#include <cmath>

namespace {
constexpr qint64 kMsecsPerDay = 24LL * 60 * 60 * 1000;

qint64 epochJulianDay()
{
    static const qint64 julian = QDate(1899, 12, 30).toJulianDay();
    return julian;
}
} // namespace

double DayNumber::fromDate(const QDate& date)
{
    return double(date.toJulianDay() - epochJulianDay());
}

double DayNumber::fromDateTime(const QDateTime& dateTime)
{
    const QTime time = dateTime.time();
    return fromDate(dateTime.date()) + double(time.msecsSinceStartOfDay()) / double(kMsecsPerDay);
}

QDateTime DayNumber::toDateTime(double dayNumber)
{
    double whole = std::floor(dayNumber);
    auto msecs = qint64(std::llround((dayNumber - whole) * double(kMsecsPerDay)));
    if (msecs >= kMsecsPerDay) {
        whole += 1;
        msecs -= kMsecsPerDay;
    }
    const QDate date = QDate::fromJulianDay(epochJulianDay() + qint64(whole));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

QDateTime DayNumber::parse(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:[ T]+(\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:\.(\d{1,3}))?)?)?\s*$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return {};
    }
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    if (!date.isValid()) {
        return {};
    }
    QTime time(0, 0);
    if (match.hasCaptured(4)) {
        QString msecText = match.captured(7);
        const int msec = msecText.isEmpty() ? 0 : msecText.leftJustified(3, QLatin1Char('0')).toInt();
        time = QTime(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(6).toInt(), msec);
        if (!time.isValid()) {
            return {};
        }
    }
    return QDateTime(date, time);
}
