#pragma once

#include <QFrame>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QStringList>

class QHBoxLayout;
class QHeaderView;
class QLabel;
class QMimeData;

// The strip above a grid's column headers. A header section dragged onto it
// becomes the next grouping level; each level shows as a chip, and a chip
// dragged out of the strip (onto the headers or anywhere else) drops its level.
// Chips dropped inside the strip change the order of the levels.
class GroupByBox : public QFrame {
    Q_OBJECT

public:
    // Drag payloads, private to the program: "<box>:<column>", so a drag from
    // one grid never groups another.
    static inline const QString kHeaderMimeType = QStringLiteral("application/x-pelorin-grid-column");
    static inline const QString kChipMimeType = QStringLiteral("application/x-pelorin-grid-group");

    explicit GroupByBox(QWidget* parent = nullptr);

    static QString hintText();

    // Column captions, by grid column, for the chips.
    void setCaptions(const QStringList& captions);
    // Shows these levels; emits nothing.
    void setGroupedColumns(const QList<int>& columns);

    QList<int> groupedColumns() const { return m_columns; }

    // Lets sections of the header start a drag, and chips be dropped on it.
    void attachHeader(QHeaderView* header);

    // What a drag carries from a header section or a chip of this box.
    QMimeData* headerMimeData(int column) const;
    QMimeData* chipMimeData(int column) const;

    QList<QLabel*> chips() const { return m_chips; }

Q_SIGNALS:
    // The user changed the levels by dragging.
    void groupingChanged(const QList<int>& columns);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QMimeData* mimeData(const QString& type, int column) const;
    int columnIn(const QMimeData* data, const QString& type) const; // -1 when not ours
    bool accepts(const QMimeData* data) const;
    int chipAt(const QPoint& pos) const; // level, or -1
    int levelFor(const QPoint& pos, int movingColumn) const;
    void rebuildChips();
    void setLevels(const QList<int>& columns);
    bool headerEvent(QEvent* event);
    int headerSectionAt(const QPoint& pos) const; // -1 on a resize handle
    void dragHeaderSection(int column);
    void dragChip(int level);

    QHBoxLayout* m_layout = nullptr;
    QLabel* m_hint = nullptr;
    QStringList m_captions;
    QList<int> m_columns;
    QList<QLabel*> m_chips;
    QPointer<QHeaderView> m_header;
    QPoint m_pressPos;
    int m_pressedChip = -1;
    int m_pressedSection = -1;
    bool m_chipDroppedInside = false;
};
