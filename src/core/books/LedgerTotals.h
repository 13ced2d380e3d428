#pragma once

#include "core/data/Money.h"

#include <QList>
#include <QString>
#include <optional>

class Query;

// The footer figures of an income or spending list: how many entries, and the
// exact sum of their amounts. A sum past what an amount holds is reported as
// such, never wrapped into a wrong figure.
class LedgerTotals {
public:
    static LedgerTotals of(const Query& rows, const QString& amountColumn);
    // Only the given rows of the query, as a search left them.
    static LedgerTotals of(const Query& rows, const QString& amountColumn, const QList<int>& only);

    int count = 0;
    std::optional<Money> sum; // nullopt when past the range

    QString countText() const { return QStringLiteral("%1 条").arg(count); }

    QString sumText() const { return sum ? sum->toString() : QStringLiteral("合计超出范围"); }
};
