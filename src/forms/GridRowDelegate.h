#pragma once

#include <QStyledItemDelegate>

// Draws grid cells as usual, in rows high enough for Chinese text: the
// window's Latin face is shorter than the CJK face that fills in for it, so a
// row sized by the former cuts the characters.
class GridRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int kPadding = 6;

    // The text height of the font, Chinese characters included, plus the padding.
    static int rowHeight(const QFont& font);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
