#include "books/TfrmBbShengao.h"

#include "books/TfrmBbShengaoEdit.h"
#include "core/data/Tdm.h"

TfrmBbShengao::TfrmBbShengao(QWidget* owner)
    : TfrmBaseListFilter({.caption = QStringLiteral("宝宝身高"),
                          .table = QStringLiteral("bb_shengao"),
                          .columns = {{QStringLiteral("日期"), QStringLiteral("dt"), 150},
                                      {QStringLiteral("身高"), QStringLiteral("val"), 150}},
                          .adPage = dm->adBaobao,
                          .days = {&Tdm::DaysBaobao, 180, QStringLiteral("宝宝列表")},
                          .editor = &editorOf<TfrmBbShengaoEdit>},
                         owner)
{
}
