#include "books/TfrmBbTizhong.h"

#include "books/TfrmBbTizhongEdit.h"
#include "core/data/Tdm.h"

TfrmBbTizhong::TfrmBbTizhong(QWidget* owner)
    : TfrmBaseListFilter({.caption = QStringLiteral("宝宝体重"),
                          .table = QStringLiteral("bb_tizhong"),
                          .columns = {{QStringLiteral("日期"), QStringLiteral("dt"), 150},
                                      {QStringLiteral("体重"), QStringLiteral("val"), 150}},
                          .adPage = dm->adBaobao,
                          .days = {&Tdm::DaysBaobao, 180, QStringLiteral("宝宝列表")},
                          .editor = &editorOf<TfrmBbTizhongEdit>},
                         owner)
{
}
