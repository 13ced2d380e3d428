#include "core/books/LedgerTotals.h"

#include "core/data/Query.h"

LedgerTotals LedgerTotals::of(const Query& rows, const QString& amountColumn)
{
    LedgerTotals totals;
    totals.count = rows.rowCount();
    totals.sum = Money();
    const int amount = rows.columnIndex(amountColumn);
    for (int row = 0; row < rows.rowCount() && totals.sum; ++row) {
        // Empty amounts count as nothing.
        const QVariant stored = rows.storedValueAt(row, amount);
        if (stored.typeId() == QMetaType::LongLong) {
            totals.sum = totals.sum->plus(Money::fromUnits(stored.toLongLong()));
        }
    }
    return totals;
}
