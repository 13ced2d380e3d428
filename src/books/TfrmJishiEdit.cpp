#include "books/TfrmJishiEdit.h"

#include "core/data/Clock.h"
#include "core/data/ParamList.h"
#include "core/data/Tdm.h"
#include "forms/EditorLayout.h"
#include "forms/TMcxComboBox.h"
#include "forms/TMcxDateEdit.h"
#include "forms/TMcxMemo.h"
#include "forms/TMcxTextEdit.h"

TfrmJishiEdit::TfrmJishiEdit(QWidget* owner)
    : TfrmBaseEdit(owner)
{
    TableName = QStringLiteral("Jishi");
    SaveTableName = QStringLiteral("Jishi");
    resize(436, 541);

    EditorLayout form(this);
    dt = form.add<TMcxDateEdit>("dt", "日期", {16, 80, 121}, EditorLayout::Required);
    leixing = form.add<TMcxComboBox>("leixing", "类型", {152, 80, 121}, EditorLayout::Required);
    jishi = form.add<TMcxTextEdit>("jishi", "记事", {16, 136, 393}, EditorLayout::Required);
    status = form.add<TMcxComboBox>("status", "状态", {288, 80, 121}, EditorLayout::Required);
    remark = form.add<TMcxMemo>("remark", "详细说明", {16, 192, 393, 297});
    remark->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    form.setTabOrder({dt, leixing, status, jishi, remark});
}

void TfrmJishiEdit::ShowStep()
{
    TfrmBaseEdit::ShowStep();
    if (wantsDefaults()) {
        dt->setDate(Clock::today());
    }
    leixing->addItemsKeepingText(ParamList::split(dm->Leixingjishi));
    status->addItemsKeepingText(ParamList::split(dm->Leixingjishista));
    if (wantsDefaults()) {
        leixing->setCurrentIndex(0);
        status->setCurrentIndex(0);
    }
}
