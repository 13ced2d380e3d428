#include "books/TfrmBbJishi.h"

#include "books/TfrmBbJishiEdit.h"
#include "core/data/Tdm.h"

TfrmBbJishi::TfrmBbJishi(QWidget* owner)
    : TfrmBaseListFilter({.caption = QStringLiteral("宝宝记事"),
                          .table = QStringLiteral("bb_jishi"),
                          .columns = TfrmTypedNoteEdit::listColumns(),
                          .adPage = dm->adBaobao,
                          .days = {&Tdm::DaysBaobao, 180, QStringLiteral("宝宝记事列表")},
                          .editor = &editorOf<TfrmBbJishiEdit>},
                         owner)
{
}
