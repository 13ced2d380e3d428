#include "forms/GroupByBox.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QStyle>

GroupByBox::GroupByBox(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("groupByBox"));
    setAcceptDrops(true);
    setBackgroundRole(QPalette::Mid);
    setAutoFillBackground(true);
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(6, 4, 6, 4);
    m_layout->setSpacing(6);
    m_hint = new QLabel(hintText(), this);
    m_hint->setObjectName(QStringLiteral("groupHint"));
    m_hint->setForegroundRole(QPalette::BrightText);
    m_hint->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_layout->addWidget(m_hint);
    m_layout->addStretch();
    // Keeps its height when the chips come and go.
    setMinimumHeight(fontMetrics().height() + 18);
}

QString GroupByBox::hintText()
{
    return QStringLiteral("拖动列标题到此处，按该列分组");
}

void GroupByBox::setCaptions(const QStringList& captions)
{
    m_captions = captions;
    rebuildChips();
}

void GroupByBox::setGroupedColumns(const QList<int>& columns)
{
    m_columns = columns;
    rebuildChips();
}

void GroupByBox::setLevels(const QList<int>& columns)
{
    setGroupedColumns(columns);
    Q_EMIT groupingChanged(m_columns);
}

void GroupByBox::rebuildChips()
{
    qDeleteAll(m_chips);
    m_chips.clear();
    for (int i = 0; i < m_columns.size(); ++i) {
        const int column = m_columns[i];
        auto* chip = new QLabel(m_captions.value(column), this);
        chip->setObjectName(QStringLiteral("groupChip"));
        chip->setFrameStyle(QFrame::Panel | QFrame::Raised);
        chip->setMargin(3);
        chip->setBackgroundRole(QPalette::Button);
        chip->setAutoFillBackground(true);
        // The box itself tells which chip was pressed.
        chip->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_layout->insertWidget(1 + i, chip);
        m_chips << chip;
    }
    m_hint->setVisible(m_columns.isEmpty());
}

QMimeData* GroupByBox::mimeData(const QString& type, int column) const
{
    auto* data = new QMimeData;
    data->setData(type, QByteArray::number(quintptr(this)) + ':' + QByteArray::number(column));
    return data;
}

QMimeData* GroupByBox::headerMimeData(int column) const
{
    return mimeData(kHeaderMimeType, column);
}

QMimeData* GroupByBox::chipMimeData(int column) const
{
    return mimeData(kChipMimeType, column);
}

int GroupByBox::columnIn(const QMimeData* data, const QString& type) const
{
    if (!data || !data->hasFormat(type)) {
        return -1;
    }
    const QList<QByteArray> parts = data->data(type).split(':');
    if (parts.size() != 2 || parts[0] != QByteArray::number(quintptr(this))) {
        return -1;
    }
    bool ok = false;
    const int column = parts[1].toInt(&ok);
    return ok && column >= 0 ? column : -1;
}

bool GroupByBox::accepts(const QMimeData* data) const
{
    const int header = columnIn(data, kHeaderMimeType);
    if (header >= 0) {
        return header < m_captions.size() && !m_columns.contains(header);
    }
    return m_columns.contains(columnIn(data, kChipMimeType));
}

int GroupByBox::chipAt(const QPoint& pos) const
{
    for (int i = 0; i < m_chips.size(); ++i) {
        if (m_chips[i]->geometry().contains(pos)) {
            return i;
        }
    }
    return -1;
}

int GroupByBox::levelFor(const QPoint& pos, int movingColumn) const
{
    int level = 0;
    for (int i = 0; i < m_chips.size(); ++i) {
        if (m_columns[i] != movingColumn && m_chips[i]->geometry().center().x() < pos.x()) {
            ++level;
        }
    }
    return level;
}

void GroupByBox::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void GroupByBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (!accepts(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void GroupByBox::dropEvent(QDropEvent* event)
{
    if (!accepts(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    const int header = columnIn(event->mimeData(), kHeaderMimeType);
    if (header >= 0) {
        setLevels(m_columns + QList<int>{header});
        return;
    }
    const int chip = columnIn(event->mimeData(), kChipMimeType);
    m_chipDroppedInside = true;
    QList<int> columns = m_columns;
    columns.removeAll(chip);
    columns.insert(levelFor(event->position().toPoint(), chip), chip);
    if (columns != m_columns) {
        setLevels(columns);
    }
}

void GroupByBox::mousePressEvent(QMouseEvent* event)
{
    m_pressPos = event->position().toPoint();
    m_pressedChip = event->button() == Qt::LeftButton ? chipAt(m_pressPos) : -1;
    QFrame::mousePressEvent(event);
}

void GroupByBox::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressedChip >= 0 && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        const int level = m_pressedChip;
        m_pressedChip = -1;
        dragChip(level);
        return;
    }
    QFrame::mouseMoveEvent(event);
}

void GroupByBox::mouseReleaseEvent(QMouseEvent* event)
{
    m_pressedChip = -1;
    QFrame::mouseReleaseEvent(event);
}

void GroupByBox::dragChip(int level)
{
    const int column = m_columns[level];
    QLabel* chip = m_chips[level];
    auto* drag = new QDrag(this);
    drag->setMimeData(chipMimeData(column));
    drag->setPixmap(chip->grab());
    drag->setHotSpot(m_pressPos - chip->pos());
    m_chipDroppedInside = false;
    const QPointer<GroupByBox> alive(this);
    drag->exec(Qt::MoveAction);
    // Dropped outside the strip, wherever that was: the level goes. A drop on
    // the header has already removed it.
    if (alive && !m_chipDroppedInside && m_columns.contains(column)) {
        QList<int> columns = m_columns;
        columns.removeAll(column);
        setLevels(columns);
    }
}

void GroupByBox::attachHeader(QHeaderView* header)
{
    if (m_header) {
        m_header->viewport()->removeEventFilter(this);
    }
    m_header = header;
    header->viewport()->setAcceptDrops(true);
    header->viewport()->installEventFilter(this);
}

bool GroupByBox::eventFilter(QObject* watched, QEvent* event)
{
    if (m_header && watched == m_header->viewport() && headerEvent(event)) {
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

int GroupByBox::headerSectionAt(const QPoint& pos) const
{
    const int logical = m_header->logicalIndexAt(pos.x());
    if (logical < 0) {
        return -1;
    }
    // Near a section edge the press resizes the column instead.
    const int grip = m_header->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, m_header);
    const int start = m_header->sectionViewportPosition(logical);
    if (pos.x() < start + grip || pos.x() > start + m_header->sectionSize(logical) - grip) {
        return -1;
    }
    return logical;
}

bool GroupByBox::headerEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_pressPos = mouse->position().toPoint();
        const int section = headerSectionAt(m_pressPos);
        const bool draggable = mouse->button() == Qt::LeftButton && !isHidden() && section < m_captions.size() &&
                               !m_columns.contains(section);
        m_pressedSection = draggable ? section : -1;
        return false;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_pressedSection < 0 || !(mouse->buttons() & Qt::LeftButton) ||
            (mouse->position().toPoint() - m_pressPos).manhattanLength() < QApplication::startDragDistance()) {
            return false;
        }
        const int column = m_pressedSection;
        m_pressedSection = -1;
        // The header saw the press; a release outside every section ends it
        // without a click, so the header takes the next press as usual.
        QWidget* viewport = m_header->viewport();
        const QPointF outside(-1, -1);
        QMouseEvent release(QEvent::MouseButtonRelease, outside, viewport->mapToGlobal(outside), Qt::LeftButton,
                            Qt::NoButton, mouse->modifiers());
        QCoreApplication::sendEvent(viewport, &release);
        dragHeaderSection(column);
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_pressedSection = -1;
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!m_columns.contains(columnIn(drag->mimeData(), kChipMimeType))) {
            return false;
        }
        drag->setDropAction(Qt::MoveAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const int column = columnIn(drop->mimeData(), kChipMimeType);
        if (!m_columns.contains(column)) {
            return false;
        }
        drop->setDropAction(Qt::MoveAction);
        drop->accept();
        QList<int> columns = m_columns;
        columns.removeAll(column);
        setLevels(columns);
        return true;
    }
    default:
        return false;
    }
}

void GroupByBox::dragHeaderSection(int column)
{
    QWidget* viewport = m_header->viewport();
    const QRect section(m_header->sectionViewportPosition(column), 0, m_header->sectionSize(column),
                        viewport->height());
    auto* drag = new QDrag(viewport);
    drag->setMimeData(headerMimeData(column));
    drag->setPixmap(viewport->grab(section));
    drag->setHotSpot(m_pressPos - section.topLeft());
    drag->exec(Qt::MoveAction);
}
