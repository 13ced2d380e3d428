#pragma once

#include "core/stats/PivotLayout.h"

#include <QString>

// What sets the three statistics windows apart: their caption, the statement
// they read and where the amount may stand.
class StatDefinition {
public:
    static StatDefinition income();
    static StatDefinition spend();
    static StatDefinition balance();

    QString caption() const { return m_caption; }

    QString statusText() const { return m_statusText; }

    // The window's statement completed with the start year at every place it
    // takes one.
    QString statement(int startYear) const;

    bool amountOnlyInData() const { return m_amountOnlyInData; }

    // Whether the field may be dropped on the area. Only the amount can be
    // summed; where the window allows it elsewhere it groups by its values.
    bool allows(PivotField field, PivotArea area) const;

private:
    QString m_caption;
    QString m_statusText;
    QStringList m_parts; // the statement, split where the year goes
    bool m_amountOnlyInData = true;
};
