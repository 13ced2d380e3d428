#pragma once

#include "core/tools/RepaymentSchedule.h"

#include <QAbstractTableModel>
#include <optional>

// One repayment schedule as a grid: a row per month and a last row of totals.
class RepaymentModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Number, Payment, Principal, Interest, Balance, ColumnCount };

    RepaymentModel(const RepaymentSchedule& schedule, QObject* parent = nullptr);

    static QStringList captions();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // In fen; the totals row has no balance.
    std::optional<qint64> fenAt(int row, int column) const;

private:
    const RepaymentSchedule& m_schedule;
};
