#include "books/TfrmSpend.h"

#include "books/TfrmSpendEdit.h"
#include "core/data/Tdm.h"

TfrmSpend::TfrmSpend(QWidget* owner)
    : TfrmMainIO(QStringLiteral("支出"), QStringLiteral("Spend"), {&Tdm::DaysZhichu, 30, QStringLiteral("支出列表")},
                 &editorOf<TfrmSpendEdit>, owner)
{
}
