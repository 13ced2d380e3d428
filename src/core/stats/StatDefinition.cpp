#include "core/stats/StatDefinition.h"

namespace {
const QString kSelect = QStringLiteral(
    "select year(dt) as y, month(dt) as m, day(dt) as d, dt,leixing,ren,jine from %1 where year(dt) >= ");

QString hint(const QString& what)
{
    return what + QStringLiteral("按年、月、类型（日、人）等进行统计，拖动标题，可组合出多种多样的统计结果。");
}
} // namespace

StatDefinition StatDefinition::income()
{
    StatDefinition definition;
    definition.m_caption = QStringLiteral("收入统计");
    definition.m_statusText = hint(QStringLiteral("收入"));
    definition.m_parts = {kSelect.arg(QStringLiteral("income"))};
    return definition;
}

StatDefinition StatDefinition::spend()
{
    StatDefinition definition;
    definition.m_caption = QStringLiteral("支出统计");
    definition.m_statusText = hint(QStringLiteral("支出"));
    definition.m_parts = {kSelect.arg(QStringLiteral("spend"))};
    definition.m_amountOnlyInData = false;
    return definition;
}

StatDefinition StatDefinition::balance()
{
    StatDefinition definition;
    definition.m_caption = QStringLiteral("收支统计");
    definition.m_statusText = hint(QStringLiteral("收支"));
    definition.m_parts = {
        QStringLiteral("select year(dt) as y, month(dt) as m, day(dt) as d, dt,'收入' as leixing,ren,jine from income "
                       "where year(dt) >= "),
        QStringLiteral(" union all select year(dt) as y, month(dt) as m, day(dt) as d, dt,'支出' as leixing,ren,0-jine "
                       "from spend where year(dt) >= ")};
    return definition;
}

QString StatDefinition::statement(int startYear) const
{
    QString sql;
    for (const QString& part : m_parts) {
        sql += part + QString::number(startYear);
    }
    return sql;
}

bool StatDefinition::allows(PivotField field, PivotArea area) const
{
    if (area == PivotArea::Data) {
        return field == PivotField::Jine;
    }
    return field != PivotField::Jine || !m_amountOnlyInData;
}
