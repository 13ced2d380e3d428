#pragma once

#include <QStringList>

// The items of a list parameter: separated by single spaces, nothing trimmed
// or skipped. Two spaces give an empty item between them, a trailing space an
// empty last item, and an empty value one empty item.
class ParamList {
public:
    static QStringList split(const QString& value) { return value.split(QLatin1Char(' '), Qt::KeepEmptyParts); }
};
