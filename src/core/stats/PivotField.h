#pragma once

#include <QString>
#include <array>

// The seven fields of the statistics query, in the order of its result.
enum class PivotField { Dt, D, Ren, Y, M, Leixing, Jine };

// Captions and result column names of the fields.
class PivotFields {
public:
    static constexpr int kCount = 7;

    static constexpr std::array<PivotField, kCount> all()
    {
        return {PivotField::Dt, PivotField::D,       PivotField::Ren, PivotField::Y,
                PivotField::M,  PivotField::Leixing, PivotField::Jine};
    }

    static QString caption(PivotField field);
    static QString columnName(PivotField field);

    // Text fields sort by text; the others by their number.
    static bool isText(PivotField field) { return field == PivotField::Ren || field == PivotField::Leixing; }
};
