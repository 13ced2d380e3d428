#include "stats/TfrmSpendStat.h"

TfrmSpendStat::TfrmSpendStat(QWidget* owner)
    : TfrmBaseIOStat(StatDefinition::spend(), owner)
{
}
