#include "core/alarms/RepeatRule.h"

QStringList RepeatRule::kindTexts()
{
    return {QStringLiteral("一次"), QStringLiteral("每天"),   QStringLiteral("每周一至五"), QStringLiteral("每周"),
            QStringLiteral("每月"), QStringLiteral("每季度"), QStringLiteral("每年")};
}

QString RepeatRule::kindText(int kind)
{
    return isKnown(kind) ? kindTexts().at(kind) : QString::number(kind);
}

QDate RepeatRule::nextDate(const QDate& date, int kind)
{
    switch (kind) {
    case Daily:
        return date.addDays(1);
    case Weekdays:
        // Friday to Monday, Saturday to Monday, Sunday to Monday, else the next day.
        switch (date.dayOfWeek()) {
        case Qt::Friday:
            return date.addDays(3);
        case Qt::Saturday:
            return date.addDays(2);
        default:
            return date.addDays(1);
        }
    case Weekly:
        return date.addDays(7);
    // QDate::addMonths keeps the day and falls back to the month's last day.
    case Monthly:
        return date.addMonths(1);
    case Quarterly:
        return date.addMonths(3);
    case Yearly:
        return date.addMonths(12);
    default:
        return {};
    }
}

QDateTime RepeatRule::next(const QDateTime& due, int kind)
{
    if (!due.isValid()) {
        return {};
    }
    const QDate date = nextDate(due.date(), kind);
    return date.isValid() ? QDateTime(date, due.time(), due.timeSpec()) : QDateTime();
}

RepeatRule::Dismissal RepeatRule::dismiss(const QDateTime& due, int kind, const QDateTime& now)
{
    if (!due.isValid() || !now.isValid()) {
        return {};
    }
    // Compared as wall-clock date and time, as the table stores them.
    const QTime time = due.time();
    const QDate today = now.date();
    const QTime nowTime = now.time();
    const auto overdue = [&](const QDate& date) { return date < today || (date == today && time < nowTime); };

    QDate date = due.date();
    if (!overdue(date)) {
        return {};
    }
    if (kind == Once) {
        return {Dismissal::Delete, {}};
    }
    if (!isKnown(kind)) {
        return {};
    }
    if (kind == Weekdays) {
        // One step puts the date on a Monday to Friday; from there the series
        // is every weekday, so whole weeks can be skipped below.
        date = nextDate(date, kind);
    }
    // Skip the whole periods that leave the alarm still overdue in one go, so
    // an alarm left for years costs no more than one left for a day. Each
    // skip lands on a date the step-by-step walk passes through.
    const int period = kind == Daily ? 1 : (kind == Weekly || kind == Weekdays) ? 7 : 0;
    if (period > 0) {
        const qint64 whole = date.daysTo(today) / period - 1;
        if (whole > 0) {
            date = date.addDays(whole * period);
        }
    }
    // Month steps clamp to the month's end and then keep the shorter day, so
    // they are walked one by one.
    while (overdue(date)) {
        date = nextDate(date, kind);
        if (!date.isValid()) {
            return {};
        }
    }
    return {Dismissal::Move, QDateTime(date, time, due.timeSpec())};
}
