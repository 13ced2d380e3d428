#include "books/TfrmMainIO.h"

#include "core/books/LedgerTotals.h"
#include "core/data/Tdm.h"
#include "forms/DataGrid.h"
#include "forms/GridFooter.h"

#include <QVBoxLayout>

namespace {
constexpr int kTypeColumn = 1;
constexpr int kAmountColumn = 4;
} // namespace

TfrmMainIO::TfrmMainIO(const QString& caption, const QString& table, const Days& days, EditorFactory editor,
                       QWidget* owner)
    : TfrmBaseListFilter(ledger(caption, table, days, editor), owner)
{
    keepEditorCaptions();
    cxGrid1->setGroupByBoxVisible(false);
    footer = new GridFooter(cxGrid1, this);
    windowLayout()->insertWidget(windowLayout()->indexOf(cxGrid1) + 1, footer);
}

TfrmBaseListFilter::Book TfrmMainIO::ledger(const QString& caption, const QString& table, const Days& days,
                                            EditorFactory editor)
{
    Book book{caption, table, {}, dm->adShouzhi, days, editor};
    book.columns = {
        {QStringLiteral("日期"), QStringLiteral("dt"), 100},   {QStringLiteral("类型"), QStringLiteral("leixing"), 100},
        {QStringLiteral("人"), QStringLiteral("ren"), 100},    {QStringLiteral("描述"), QStringLiteral("miaoshu"), 351},
        {QStringLiteral("金额"), QStringLiteral("jine"), 100},
    };
    return book;
}

void TfrmMainIO::shownRowsChanged()
{
    // The figures are of the rows shown, which a search may have narrowed.
    const QString amount = QStringLiteral("jine");
    const LedgerTotals totals = cxGrid1->isFiltered() ? LedgerTotals::of(query(), amount, cxGrid1->displayOrder())
                                                      : LedgerTotals::of(query(), amount);
    footer->setText(kTypeColumn, totals.countText());
    footer->setText(kAmountColumn, totals.sumText());
}
