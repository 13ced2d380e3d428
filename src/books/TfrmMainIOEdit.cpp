#include "books/TfrmMainIOEdit.h"

#include "core/data/Clock.h"
#include "core/data/ParamList.h"
#include "core/data/Tdm.h"
#include "forms/EditorLayout.h"
#include "forms/TMcxComboBox.h"
#include "forms/TMcxDateEdit.h"
#include "forms/TMcxMemo.h"
#include "forms/TMcxTextEdit.h"

TfrmMainIOEdit::TfrmMainIOEdit(QWidget* owner)
    : TfrmBaseEdit(owner)
{
    setWindowTitle(QStringLiteral("收支编辑"));
    resize(438, 344);
    EditorLayout form(this);
    dt = form.add<TMcxDateEdit>("dt", "日期", {16, 80, 121}, EditorLayout::Required);
    leixing = form.add<TMcxComboBox>("leixing", "类型", {152, 80, 121});
    ren = form.add<TMcxComboBox>("ren", "人", {288, 80, 121});
    miaoshu = form.add<TMcxTextEdit>("miaoshu", "描述", {16, 136, 257});
    miaoshu->setToolTip(QStringLiteral("描述"));
    jine = form.add<TMcxTextEdit>("jine", "金额", {288, 136, 121}, EditorLayout::Required);
    beizhu = form.add<TMcxMemo>("beizhu", "备注", {16, 192, 393, 89});
    beizhu->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    beizhu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    beizhu->setLineWrapMode(QPlainTextEdit::NoWrap);
    form.setTabOrder({dt, leixing, ren, miaoshu, jine, beizhu});
}

void TfrmMainIOEdit::ShowStep()
{
    TfrmBaseEdit::ShowStep();
    leixing->addItemsKeepingText(ParamList::split(typeParameter()));
    ren->addItemsKeepingText(ParamList::split(dm->Ren));
    if (wantsDefaults()) {
        dt->setDate(Clock::today());
        leixing->setCurrentIndex(0);
        ren->setCurrentIndex(0);
    }
}
