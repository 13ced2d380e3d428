#include "books/TfrmTypedNoteEdit.h"

#include "core/data/Clock.h"
#include "core/data/ParamList.h"
#include "forms/EditorLayout.h"
#include "forms/TMcxComboBox.h"
#include "forms/TMcxDateEdit.h"
#include "forms/TMcxMemo.h"
#include "forms/TMcxTextEdit.h"

TfrmTypedNoteEdit::TfrmTypedNoteEdit(QWidget* owner)
    : TfrmBaseEdit(owner)
{
    resize(304, 480);

    EditorLayout form(this);
    dt = form.add<TMcxDateEdit>("dt", "日期", {16, 80, 121}, EditorLayout::Required);
    knd = form.add<TMcxComboBox>("knd", "类型", {152, 80, 121}, EditorLayout::Required);
    title = form.add<TMcxTextEdit>("title", "标题", {16, 136, 257}, EditorLayout::Required);
    remark = form.add<TMcxMemo>("remark", "备注", {16, 192, 257, 233});
    remark->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    form.setTabOrder({dt, knd, title, remark});
}

void TfrmTypedNoteEdit::ShowStep()
{
    TfrmBaseEdit::ShowStep();
    if (wantsDefaults()) {
        dt->setDate(Clock::today());
    }
    knd->addItemsKeepingText(ParamList::split(typeParameter()));
    if (wantsDefaults()) {
        knd->setCurrentIndex(0);
    }
}

QList<GridColumn> TfrmTypedNoteEdit::listColumns()
{
    return {{QStringLiteral("日期"), QStringLiteral("dt"), 150},
            {QStringLiteral("类型"), QStringLiteral("knd"), 150},
            {QStringLiteral("标题"), QStringLiteral("title"), 500}};
}
