#include "books/TfrmBbJiaoyu.h"

#include "books/TfrmBbJiaoyuEdit.h"
#include "core/data/Tdm.h"

TfrmBbJiaoyu::TfrmBbJiaoyu(QWidget* owner)
    : TfrmBaseListFilter({.caption = QStringLiteral("宝宝教育"),
                          .table = QStringLiteral("bb_jiaoyu"),
                          .columns = TfrmTypedNoteEdit::listColumns(),
                          .adPage = dm->adBaobao,
                          .days = {&Tdm::DaysBaobao, 180, QStringLiteral("宝宝列表")},
                          .editor = &editorOf<TfrmBbJiaoyuEdit>},
                         owner)
{
}
