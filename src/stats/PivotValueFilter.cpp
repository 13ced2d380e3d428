#include "stats/PivotValueFilter.h"

#include "forms/MessageBox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

PivotValueFilter::PivotValueFilter(const std::vector<PivotSource::Value>& values, const QSet<QString>& hidden,
                                   QWidget* parent)
    : QDialog(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("PivotValueFilter"));
    auto* layout = new QVBoxLayout(this);
    cbAll = new QCheckBox(QStringLiteral("全选"), this);
    cbAll->setObjectName(QStringLiteral("cbAll"));
    layout->addWidget(cbAll);
    lstValues = new QListWidget(this);
    lstValues->setObjectName(QStringLiteral("lstValues"));
    layout->addWidget(lstValues);

    std::vector<const PivotSource::Value*> sorted;
    for (const PivotSource::Value& value : values) {
        sorted.push_back(&value);
    }
    std::sort(sorted.begin(), sorted.end(), [](const PivotSource::Value* a, const PivotSource::Value* b) {
        if (a->null != b->null) {
            return a->null;
        }
        return a->text.isEmpty() && b->text.isEmpty() ? a->number < b->number
               : a->number != b->number               ? a->number < b->number
                                                      : a->text < b->text;
    });
    for (const PivotSource::Value* value : sorted) {
        auto* item = new QListWidgetItem(value->text.isEmpty() ? QStringLiteral("(空)") : value->text, lstValues);
        item->setData(Qt::UserRole, value->key);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(hidden.contains(value->key) ? Qt::Unchecked : Qt::Checked);
    }
    connect(lstValues, &QListWidget::itemChanged, this, &PivotValueFilter::syncAll);
    connect(cbAll, &QCheckBox::clicked, this, [this](bool checked) {
        const QSignalBlocker blocker(lstValues);
        for (int i = 0; i < lstValues->count(); ++i) {
            lstValues->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        }
        syncAll();
    });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("btnOk"));
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PivotValueFilter::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    syncAll();
}

void PivotValueFilter::syncAll()
{
    int checked = 0;
    for (int i = 0; i < lstValues->count(); ++i) {
        checked += lstValues->item(i)->checkState() == Qt::Checked ? 1 : 0;
    }
    cbAll->setTristate(checked > 0 && checked < lstValues->count());
    cbAll->setCheckState(checked == 0                    ? Qt::Unchecked
                         : checked == lstValues->count() ? Qt::Checked
                                                         : Qt::PartiallyChecked);
}

QSet<QString> PivotValueFilter::hiddenKeys() const
{
    QSet<QString> hidden;
    for (int i = 0; i < lstValues->count(); ++i) {
        if (lstValues->item(i)->checkState() != Qt::Checked) {
            hidden.insert(lstValues->item(i)->data(Qt::UserRole).toString());
        }
    }
    return hidden;
}

void PivotValueFilter::accept()
{
    if (lstValues->count() > 0 && hiddenKeys().size() == lstValues->count()) {
        MessageBox::information(this, QStringLiteral("请至少选择一项。"));
        return;
    }
    QDialog::accept();
}
