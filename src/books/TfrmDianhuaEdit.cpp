#include "books/TfrmDianhuaEdit.h"

#include "core/data/ParamList.h"
#include "core/data/Tdm.h"
#include "forms/EditorLayout.h"
#include "forms/TMcxComboBox.h"
#include "forms/TMcxMemo.h"
#include "forms/TMcxTextEdit.h"

TfrmDianhuaEdit::TfrmDianhuaEdit(QWidget* owner)
    : TfrmBaseEdit(owner)
{
    TableName = QStringLiteral("Dianhua");
    SaveTableName = QStringLiteral("Dianhua");
    resize(435, 630);

    EditorLayout form(this);
    leixing = form.add<TMcxComboBox>("leixing", "类型", {152, 80, 121}, EditorLayout::Required);
    xingming = form.add<TMcxTextEdit>("xingming", "姓名", {16, 80, 121}, EditorLayout::Required);
    xingbie = form.add<TMcxComboBox>("xingbie", "性别", {288, 80, 121});
    shouji = form.add<TMcxTextEdit>("shouji", "手机", {16, 136, 121});
    dianhua = form.add<TMcxTextEdit>("dianhua", "电话", {152, 136, 121});
    qq = form.add<TMcxTextEdit>("qq", "QQ", {288, 136, 121});
    email = form.add<TMcxTextEdit>("email", "Email", {16, 192, 257});
    ord = form.add<TMcxTextEdit>("ord", "编号(排序)", {288, 192, 121});
    addr = form.add<TMcxTextEdit>("addr", "地址", {16, 248, 393});
    remark = form.add<TMcxMemo>("remark", "备注", {16, 304, 393, 265});
    remark->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    xingbie->addItemsKeepingText({QStringLiteral("男"), QStringLiteral("女")});
    form.setTabOrder({xingming, leixing, xingbie, shouji, dianhua, qq, email, ord, addr, remark});
}

void TfrmDianhuaEdit::ShowStep()
{
    TfrmBaseEdit::ShowStep();
    leixing->addItemsKeepingText(ParamList::split(dm->Leixingdianhua));
    if (wantsDefaults()) {
        leixing->setCurrentIndex(0);
    }
}
