#include "books/TfrmIncome.h"

#include "books/TfrmIncomeEdit.h"
#include "core/data/Tdm.h"

TfrmIncome::TfrmIncome(QWidget* owner)
    : TfrmMainIO(QStringLiteral("收入"), QStringLiteral("Income"), {&Tdm::DaysShouru, 180, QStringLiteral("收入列表")},
                 &editorOf<TfrmIncomeEdit>, owner)
{
}
