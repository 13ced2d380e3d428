#pragma once

#include <QHash>
#include <QWidget>

class DataGrid;
class QLabel;

// A footer row under a grid: texts that stand under chosen columns and follow
// them when the columns are resized or scrolled.
class GridFooter : public QWidget {
    Q_OBJECT

public:
    explicit GridFooter(DataGrid* grid, QWidget* parent = nullptr);

    void setText(int column, const QString& text);
    QString text(int column) const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();

    DataGrid* m_grid;
    QHash<int, QLabel*> m_labels;
};
