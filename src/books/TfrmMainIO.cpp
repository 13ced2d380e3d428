#include "books/TfrmMainIO.h"

#include "core/data/Money.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/DataGrid.h"
#include "forms/GridFooter.h"

#include <QVBoxLayout>

namespace {
constexpr int kTypeColumn = 1;
constexpr int kAmountColumn = 4;
} // namespace

TfrmMainIO::TfrmMainIO(QWidget* owner)
    : TfrmBaseListFilter(owner)
{
    setWindowTitle(QStringLiteral("收支记录"));
    OrderSql = QStringLiteral(" order by dt desc");
    keepEditorCaptions();
    setColumns({
        {QStringLiteral("日期"), QStringLiteral("dt"), 100},
        {QStringLiteral("类型"), QStringLiteral("leixing"), 100},
        {QStringLiteral("人"), QStringLiteral("ren"), 100},
        {QStringLiteral("描述"), QStringLiteral("miaoshu"), 351},
        {QStringLiteral("金额"), QStringLiteral("jine"), 100},
    });
    cxGrid1->setGroupByBoxVisible(false);
    footer = new GridFooter(cxGrid1, this);
    windowLayout()->insertWidget(windowLayout()->indexOf(cxGrid1) + 1, footer);
    setAdPage(dm->adShouzhi);
}

void TfrmMainIO::queryOpened()
{
    const Query& rows = query();
    const int amount = rows.columnIndex(QStringLiteral("jine"));
    Money sum;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QVariant stored = rows.storedValueAt(row, amount);
        if (stored.typeId() == QMetaType::LongLong) {
            sum = sum + Money::fromUnits(stored.toLongLong());
        }
    }
    footer->setText(kTypeColumn, QStringLiteral("%1 条").arg(rows.rowCount()));
    footer->setText(kAmountColumn, sum.toString());
}
