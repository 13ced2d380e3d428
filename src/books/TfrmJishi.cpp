#include "books/TfrmJishi.h"

#include "books/TfrmJishiEdit.h"
#include "core/data/Tdm.h"

TfrmJishi::TfrmJishi(QWidget* owner)
    : TfrmBaseListFilter({.caption = QStringLiteral("记事"),
                          .table = QStringLiteral("Jishi"),
                          .columns = {{QStringLiteral("日期"), QStringLiteral("dt"), 120},
                                      {QStringLiteral("类型"), QStringLiteral("leixing"), 120},
                                      {QStringLiteral("状态"), QStringLiteral("status"), 120},
                                      {QStringLiteral("记事"), QStringLiteral("jishi"), 600}},
                          .adPage = dm->adCommon,
                          .days = {&Tdm::DaysJishi, 30, QStringLiteral("记事列表")},
                          .editor = &editorOf<TfrmJishiEdit>},
                         owner)
{
}
