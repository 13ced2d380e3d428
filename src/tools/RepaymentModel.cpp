#include "tools/RepaymentModel.h"

RepaymentModel::RepaymentModel(const RepaymentSchedule& schedule, QObject* parent)
    : QAbstractTableModel(parent)
    , m_schedule(schedule)
{
}

QStringList RepaymentModel::captions()
{
    return {QStringLiteral("期数"), QStringLiteral("月供(元)"), QStringLiteral("本金(元)"), QStringLiteral("利息(元)"),
            QStringLiteral("剩余本金(元)")};
}

int RepaymentModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_schedule.months().size()) + 1;
}

int RepaymentModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

std::optional<qint64> RepaymentModel::fenAt(int row, int column) const
{
    const auto& months = m_schedule.months();
    if (row < 0 || row > int(months.size())) {
        return std::nullopt;
    }
    if (row == int(months.size())) {
        switch (column) {
        case Payment:
            return m_schedule.totalPayment();
        case Principal:
            return m_schedule.principal();
        case Interest:
            return m_schedule.totalInterest();
        default:
            return std::nullopt;
        }
    }
    const RepaymentSchedule::Month& month = months[size_t(row)];
    switch (column) {
    case Payment:
        return month.payment;
    case Principal:
        return month.principal;
    case Interest:
        return month.interest;
    case Balance:
        return month.balance;
    default:
        return std::nullopt;
    }
}

QVariant RepaymentModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const bool totals = index.row() == int(m_schedule.months().size());
    if (index.column() == Number) {
        return totals ? QStringLiteral("合计") : QString::number(index.row() + 1);
    }
    const auto fen = fenAt(index.row(), index.column());
    return fen ? RepaymentSchedule::yuan(*fen) : QString();
}

QVariant RepaymentModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount) {
        return captions().at(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}
