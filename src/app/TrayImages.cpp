#include "app/TrayImages.h"

#include <QPainter>
#include <QPixmap>

namespace {
QPixmap draw(int size, const QColor& fill, bool alarm)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(fill.darker(150), qMax(1, size / 16)));
    painter.setBrush(fill);
    const qreal margin = size / 16.0;
    painter.drawEllipse(QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(size * 11 / 16);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, alarm ? QStringLiteral("!") : QStringLiteral("P"));
    return pixmap;
}
} // namespace

QIcon TrayImages::image(int index)
{
    const bool alarm = index == 1;
    return QIcon(draw(16, alarm ? QColor(0xd0, 0x20, 0x20) : QColor(0x1f, 0x4e, 0x9c), alarm));
}

QIcon TrayImages::windowIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        icon.addPixmap(draw(size, QColor(0x1f, 0x4e, 0x9c), false));
    }
    return icon;
}
