#include "core/books/LedgerTotals.h"

#include "core/data/Query.h"

#include <numeric>

LedgerTotals LedgerTotals::of(const Query& rows, const QString& amountColumn)
{
    QList<int> all(rows.rowCount());
    std::iota(all.begin(), all.end(), 0);
    return of(rows, amountColumn, all);
}

LedgerTotals LedgerTotals::of(const Query& rows, const QString& amountColumn, const QList<int>& only)
{
    LedgerTotals totals;
    totals.count = int(only.size());
    totals.sum = Money();
    const int amount = rows.columnIndex(amountColumn);
    for (qsizetype i = 0; i < only.size() && totals.sum; ++i) {
        const int row = only[i];
        // Empty amounts count as nothing.
        const QVariant stored = rows.storedValueAt(row, amount);
        if (stored.typeId() == QMetaType::LongLong) {
            totals.sum = totals.sum->plus(Money::fromUnits(stored.toLongLong()));
        }
    }
    return totals;
}
