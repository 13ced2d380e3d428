#include "stats/PivotModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

PivotModel::PivotModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void PivotModel::setResult(PivotResult result)
{
    beginResetModel();
    m_result = std::move(result);
    endResetModel();
}

int PivotModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : headerRows() + int(m_result.rows().size());
}

int PivotModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : headerColumns() + int(m_result.columns().size());
}

QString PivotModel::headerText(const PivotResult::Line& line, int level, int fieldCount, bool* toggle) const
{
    *toggle = false;
    switch (line.kind) {
    case PivotResult::Kind::Grand:
        return level == 0 ? QStringLiteral("总计") : QString();
    case PivotResult::Kind::Subtotal:
        return level == line.depth() - 1 ? line.texts.last() + QStringLiteral(" 合计") : QString();
    case PivotResult::Kind::Value:
        break;
    }
    if (level < line.firstLevel || level >= line.depth()) {
        return {};
    }
    if (m_result.canToggle(line, level, fieldCount)) {
        *toggle = true;
        const bool collapsed = line.collapsed && level == line.depth() - 1;
        return (collapsed ? QStringLiteral("⊞ ") : QStringLiteral("⊟ ")) + line.texts[level];
    }
    return line.texts[level];
}

PivotModel::Style PivotModel::lineStyle(const PivotResult::Line& line) const
{
    switch (line.kind) {
    case PivotResult::Kind::Grand:
        return Total;
    case PivotResult::Kind::Subtotal:
        return Subtotal;
    case PivotResult::Kind::Value:
        break;
    }
    return line.collapsed ? Subtotal : Value;
}

QVariant PivotModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return {};
    }
    const int r = index.row();
    const int c = index.column();
    const int headRows = headerRows();
    const int headColumns = headerColumns();
    QString text;
    Style style = Value;
    std::optional<Money> sum;
    bool toggle = false;
    if (r < headRows && c < headColumns) {
        style = Corner;
        if (r == headRows - 1 && c < m_result.rowFields.size()) {
            text = PivotFields::caption(m_result.rowFields[c]);
        }
    } else if (r < headRows) {
        const PivotResult::Line& line = m_result.columns()[size_t(c - headColumns)];
        text = headerText(line, r, int(m_result.columnFields.size()), &toggle);
        style = toggle ? ToggleHeader : lineStyle(line) == Value ? Header : lineStyle(line);
    } else if (c < headColumns) {
        const PivotResult::Line& line = m_result.rows()[size_t(r - headRows)];
        text = headerText(line, c, int(m_result.rowFields.size()), &toggle);
        style = toggle ? ToggleHeader : lineStyle(line) == Value ? Header : lineStyle(line);
    } else {
        const PivotResult::Line& row = m_result.rows()[size_t(r - headRows)];
        const PivotResult::Line& column = m_result.columns()[size_t(c - headColumns)];
        style = std::max(lineStyle(row), lineStyle(column));
        sum = m_result.cell(r - headRows, c - headColumns);
        if (sum) {
            text = sum->toFixed(2);
        }
    }

    const bool isCell = r >= headRows && c >= headColumns;
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case ExportRole:
        if (sum) {
            return QVariant::fromValue(*sum);
        }
        return text.startsWith(QStringLiteral("⊞ ")) || text.startsWith(QStringLiteral("⊟ ")) ? text.mid(2) : text;
    case StyleRole:
        return int(style);
    case Qt::TextAlignmentRole:
        return int(isCell ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (sum && sum->units() < 0) {
            return QBrush(Qt::red);
        }
        return {};
    case Qt::BackgroundRole:
        switch (style) {
        case Corner:
        case Header:
        case ToggleHeader:
            return QBrush(QColor(236, 233, 216));
        case Subtotal:
            return QBrush(QColor(255, 248, 220));
        case Total:
            return QBrush(QColor(222, 235, 247));
        case Value:
            return {};
        }
        return {};
    case Qt::FontRole:
        if (style == Subtotal || style == Total) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    default:
        return {};
    }
}

bool PivotModel::toggleTarget(const QModelIndex& index, bool* rowAxis, QStringList* path) const
{
    const int r = index.row();
    const int c = index.column();
    bool toggle = false;
    if (r >= headerRows() && c < headerColumns()) {
        const PivotResult::Line& line = m_result.rows()[size_t(r - headerRows())];
        headerText(line, c, int(m_result.rowFields.size()), &toggle);
        *rowAxis = true;
        *path = line.keys.mid(0, c + 1);
    } else if (r < headerRows() && c >= headerColumns()) {
        const PivotResult::Line& line = m_result.columns()[size_t(c - headerColumns())];
        headerText(line, r, int(m_result.columnFields.size()), &toggle);
        *rowAxis = false;
        *path = line.keys.mid(0, r + 1);
    }
    return toggle;
}
