#include "books/TfrmJiankang.h"

#include "books/TfrmJiankangEdit.h"
#include "core/data/Tdm.h"

TfrmJiankang::TfrmJiankang(QWidget* owner)
    : TfrmBaseListFilter({.caption = QStringLiteral("健康档案"),
                          .table = QStringLiteral("jiankangdangan"),
                          .columns = TfrmTypedNoteEdit::listColumns(),
                          .adPage = dm->adJiankang,
                          .days = {&Tdm::DaysJiankang, 180, QStringLiteral("健康档案列表")},
                          .editor = &editorOf<TfrmJiankangEdit>},
                         owner)
{
}
