#pragma once

#include "core/stats/PivotSource.h"

#include <QDialog>
#include <QSet>

class QCheckBox;
class QListWidget;

// A field's drop-down: its values with check boxes, 全选, and OK/取消. OK
// with nothing ticked is refused, since it would hide every row.
class PivotValueFilter : public QDialog {
    Q_OBJECT

public:
    PivotValueFilter(const std::vector<PivotSource::Value>& values, const QSet<QString>& hidden,
                     QWidget* parent = nullptr);

    QSet<QString> hiddenKeys() const;

    QListWidget* lstValues = nullptr;
    QCheckBox* cbAll = nullptr;

private:
    void accept() override;
    void syncAll();
};
