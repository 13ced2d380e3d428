#pragma once

#include "core/data/ColumnType.h"

#include <QString>
#include <QVariant>
#include <optional>

// Between what the windows give and show and what a column stores: dates as
// day numbers, money as ten-thousandths, numbers and text as they are.
class ColumnValue {
public:
    // The text a stored value shows as.
    static QString format(const ColumnType& type, const QVariant& stored);
    // The value to store for what an edit control gives. An empty text stores
    // NULL in a number, money or date column; a value the column cannot take
    // gives nullopt and the reason, in Chinese.
    static std::optional<QVariant> toStored(const ColumnType& type, const QVariant& value, QString* reason);
};
