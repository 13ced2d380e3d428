#include "stats/TfrmIncomeStat.h"

TfrmIncomeStat::TfrmIncomeStat(QWidget* owner)
    : TfrmBaseIOStat(StatDefinition::income(), owner)
{
}
