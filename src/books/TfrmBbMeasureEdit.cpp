#include "books/TfrmBbMeasureEdit.h"

#include "core/data/Clock.h"
#include "forms/EditorLayout.h"
#include "forms/TMcxDateEdit.h"
#include "forms/TMcxMemo.h"
#include "forms/TMcxTextEdit.h"

TfrmBbMeasureEdit::TfrmBbMeasureEdit(const char* valueCaption, QWidget* owner)
    : TfrmBaseEdit(owner)
{
    resize(298, 436);

    EditorLayout form(this);
    dt = form.add<TMcxDateEdit>("dt", "日期", {16, 80, 121}, EditorLayout::Required);
    val = form.add<TMcxTextEdit>("val", valueCaption, {152, 80, 121}, EditorLayout::Required);
    remark = form.add<TMcxMemo>("remark", "备注", {16, 144, 257, 233});
    remark->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    form.setTabOrder({dt, val, remark});
}

void TfrmBbMeasureEdit::ShowStep()
{
    TfrmBaseEdit::ShowStep();
    if (wantsDefaults()) {
        dt->setDate(Clock::today());
    }
}
