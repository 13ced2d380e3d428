#include "core/data/ColumnType.h"

#include <QRegularExpression>

ColumnType ColumnType::fromDeclared(const QString& declared)
{
    const QString upper = declared.trimmed().toUpper();
    if (upper.startsWith(QLatin1String("INTEGER")) || upper == QLatin1String("INT")) {
        return {ColumnKind::Integer, 0};
    }
    if (upper == QLatin1String("DOUBLE") || upper == QLatin1String("REAL")) {
        return {ColumnKind::Number, 0};
    }
    if (upper == QLatin1String("MONEY")) {
        return {ColumnKind::Money, 0};
    }
    if (upper == QLatin1String("DATE")) {
        return {ColumnKind::Date, 0};
    }
    if (upper == QLatin1String("DATETIME")) {
        return {ColumnKind::DateTime, 0};
    }
    if (upper == QLatin1String("LONGTEXT")) {
        return {ColumnKind::LongText, 0};
    }
    static const QRegularExpression varchar(QStringLiteral(R"(^VARCHAR\s*\(\s*(\d+)\s*\)$)"));
    const QRegularExpressionMatch match = varchar.match(upper);
    if (match.hasMatch()) {
        return {ColumnKind::Text, match.captured(1).toInt()};
    }
    if (upper == QLatin1String("TEXT")) {
        return {ColumnKind::LongText, 0};
    }
    return {ColumnKind::Unknown, 0};
}

QString ColumnType::declared() const
{
    switch (kind) {
    case ColumnKind::Integer:
        return QStringLiteral("INTEGER");
    case ColumnKind::Number:
        return QStringLiteral("DOUBLE");
    case ColumnKind::Money:
        return QStringLiteral("MONEY");
    case ColumnKind::Date:
        return QStringLiteral("DATE");
    case ColumnKind::DateTime:
        return QStringLiteral("DATETIME");
    case ColumnKind::Text:
        return QStringLiteral("VARCHAR(%1)").arg(width);
    case ColumnKind::LongText:
        return QStringLiteral("LONGTEXT");
    case ColumnKind::Unknown:
        break;
    }
    return {};
}
