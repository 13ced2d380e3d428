#pragma once

#include "core/stats/PivotLayout.h"
#include "core/stats/PivotResult.h"
#include "core/stats/PivotSource.h"

// Lays the rows out as the layout says, in one pass over them: each row's
// row and column values are combined into two keys and its amount added to
// their crossing; subtotals and grand totals are then summed from those
// crossings, never from the rows again.
class PivotEngine {
public:
    // How crossings are found: a dense table where the keys are few, a hash
    // otherwise, and dense codes where the keys would not fit in 62 bits. All
    // give the same result; tests force each.
    enum class Strategy { Automatic, Dense, Hashed, Combined };

    static PivotResult compute(const PivotSource& source, const PivotLayout& layout,
                               Strategy strategy = Strategy::Automatic);
};
