#include "forms/GridRowDelegate.h"

#include <QFontMetrics>

int GridRowDelegate::rowHeight(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The bounding box goes through font fallback; height() alone does not.
    const int cjk = metrics.boundingRect(QStringLiteral("汉字国")).height();
    return qMax(metrics.height(), cjk) + kPadding;
}

QSize GridRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(qMax(size.height(), rowHeight(option.font)));
    return size;
}
