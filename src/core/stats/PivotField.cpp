#include "core/stats/PivotField.h"

QString PivotFields::caption(PivotField field)
{
    switch (field) {
    case PivotField::Dt:
        return QStringLiteral("日期");
    case PivotField::D:
        return QStringLiteral("日");
    case PivotField::Ren:
        return QStringLiteral("人");
    case PivotField::Y:
        return QStringLiteral("年");
    case PivotField::M:
        return QStringLiteral("月");
    case PivotField::Leixing:
        return QStringLiteral("类型");
    case PivotField::Jine:
        return QStringLiteral("金额");
    }
    return {};
}

QString PivotFields::columnName(PivotField field)
{
    switch (field) {
    case PivotField::Dt:
        return QStringLiteral("dt");
    case PivotField::D:
        return QStringLiteral("d");
    case PivotField::Ren:
        return QStringLiteral("ren");
    case PivotField::Y:
        return QStringLiteral("y");
    case PivotField::M:
        return QStringLiteral("m");
    case PivotField::Leixing:
        return QStringLiteral("leixing");
    case PivotField::Jine:
        return QStringLiteral("jine");
    }
    return {};
}
