#include "core/data/ColumnValue.h"

#include "core/data/DayNumber.h"
#include "core/data/Money.h"

#include <QDateTime>
#include <cmath>

namespace {
QString formatNumber(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        return QString::number(qint64(value));
    }
    return QString::number(value, 'g', 15);
}
} // namespace

QString ColumnValue::format(const ColumnType& type, const QVariant& stored)
{
    if (stored.isNull()) {
        return {};
    }
    const bool numeric = stored.typeId() == QMetaType::LongLong || stored.typeId() == QMetaType::Double;
    if (!numeric) {
        return stored.toString();
    }
    switch (type.kind) {
    case ColumnKind::Money:
        if (stored.typeId() == QMetaType::LongLong) {
            return Money::fromUnits(stored.toLongLong()).toString();
        }
        return Money::fromUnits(std::llround(stored.toDouble())).toString();
    case ColumnKind::Date:
        return DayNumber::toDateTime(stored.toDouble()).date().toString(QStringLiteral("yyyy-MM-dd"));
    case ColumnKind::DateTime: {
        const QDateTime value = DayNumber::toDateTime(stored.toDouble());
        if (value.time() == QTime(0, 0)) {
            return value.date().toString(QStringLiteral("yyyy-MM-dd"));
        }
        return value.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    default:
        if (stored.typeId() == QMetaType::LongLong) {
            return QString::number(stored.toLongLong());
        }
        return formatNumber(stored.toDouble());
    }
}

std::optional<QVariant> ColumnValue::toStored(const ColumnType& type, const QVariant& value, QString* reason)
{
    if (value.isNull()) {
        return QVariant();
    }
    const bool isText = value.typeId() == QMetaType::QString;
    const QString text = isText ? value.toString() : QString();
    const auto refuse = [reason](const QString& why) {
        *reason = why;
        return std::nullopt;
    };
    // The text would be stored whole but shown cut at the NUL.
    if (isText && text.contains(QChar(0))) {
        return refuse(QStringLiteral("含有空字符（NUL），请删去后再保存"));
    }
    switch (type.kind) {
    case ColumnKind::Text:
        if (value.toString().toUcs4().size() > type.width) {
            return refuse(QStringLiteral("超过了%1个字符").arg(type.width));
        }
        return value.toString();
    case ColumnKind::LongText:
    case ColumnKind::Unknown:
        return isText ? value : QVariant(value.toString());
    case ColumnKind::Integer: {
        if (isText && text.trimmed().isEmpty()) {
            return QVariant();
        }
        bool ok = false;
        const qlonglong number = isText ? text.trimmed().toLongLong(&ok) : value.toLongLong(&ok);
        if (!ok || (!isText && value.typeId() == QMetaType::Double && value.toDouble() != double(number))) {
            return refuse(QStringLiteral("不是整数"));
        }
        return QVariant(number);
    }
    case ColumnKind::Number: {
        if (isText && text.trimmed().isEmpty()) {
            return QVariant();
        }
        bool ok = false;
        const double number = isText ? text.trimmed().toDouble(&ok) : value.toDouble(&ok);
        if (!ok || !std::isfinite(number)) {
            return refuse(QStringLiteral("不是有效的数字"));
        }
        return QVariant(number);
    }
    case ColumnKind::Money: {
        if (isText && text.trimmed().isEmpty()) {
            return QVariant();
        }
        const QString source = isText ? text : QString::number(value.toDouble(), 'f', 4);
        bool outOfRange = false;
        const std::optional<Money> money = Money::parse(source, &outOfRange);
        if (!money && outOfRange) {
            return refuse(QStringLiteral("超出了金额的范围（最大 %1）").arg(Money::maxText()));
        }
        if (!money) {
            return refuse(QStringLiteral("不是有效的金额"));
        }
        return QVariant(qlonglong(money->units()));
    }
    case ColumnKind::Date:
    case ColumnKind::DateTime: {
        QDateTime dateTime;
        if (value.typeId() == QMetaType::QDate) {
            dateTime = QDateTime(value.toDate(), QTime(0, 0));
        } else if (value.typeId() == QMetaType::QDateTime) {
            dateTime = value.toDateTime();
        } else if (isText) {
            if (text.trimmed().isEmpty()) {
                return QVariant();
            }
            dateTime = DayNumber::parse(text);
        }
        if (!dateTime.isValid()) {
            return refuse(QStringLiteral("不是有效的日期"));
        }
        if (type.kind == ColumnKind::Date) {
            return QVariant(DayNumber::fromDate(dateTime.date()));
        }
        return QVariant(DayNumber::fromDateTime(dateTime));
    }
    }
    return value;
}
