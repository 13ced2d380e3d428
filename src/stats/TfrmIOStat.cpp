#include "stats/TfrmIOStat.h"

TfrmIOStat::TfrmIOStat(QWidget* owner)
    : TfrmBaseIOStat(StatDefinition::balance(), owner)
{
}
