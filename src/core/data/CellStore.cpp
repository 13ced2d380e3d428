#include "core/data/CellStore.h"

#include <cstring>

void CellStore::clear()
{
    m_cells.clear();
    m_text.clear();
}

void CellStore::appendInteger(qint64 value)
{
    Cell cell;
    cell.type = Integer;
    cell.integer = value;
    m_cells.push_back(cell);
}

void CellStore::appendReal(double value)
{
    Cell cell;
    cell.type = Real;
    cell.real = value;
    m_cells.push_back(cell);
}

void CellStore::appendText(const char* utf8, int length)
{
    Cell cell;
    cell.type = Text;
    cell.offset = m_text.size();
    cell.length = length;
    m_text.insert(m_text.end(), utf8, utf8 + length);
    m_cells.push_back(cell);
}

CellStore::Cell CellStore::makeCell(const QVariant& value)
{
    Cell cell;
    if (value.isNull()) {
        return cell;
    }
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Bool:
        cell.type = Integer;
        cell.integer = value.toLongLong();
        return cell;
    case QMetaType::Double:
        cell.type = Real;
        cell.real = value.toDouble();
        return cell;
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        cell.type = Text;
        cell.offset = m_text.size();
        cell.length = int(utf8.size());
        m_text.insert(m_text.end(), utf8.constData(), utf8.constData() + utf8.size());
        return cell;
    }
    }
}

void CellStore::append(const QVariant& value)
{
    m_cells.push_back(makeCell(value));
}

void CellStore::set(size_t index, const QVariant& value)
{
    // A replaced text stays in the buffer unused; the buffer is dropped with the result.
    m_cells[index] = makeCell(value);
}

QVariant CellStore::value(size_t index) const
{
    const Cell& cell = m_cells[index];
    switch (cell.type) {
    case Integer:
        return QVariant(qlonglong(cell.integer));
    case Real:
        return QVariant(cell.real);
    case Text:
        return QVariant(QString::fromUtf8(m_text.data() + cell.offset, cell.length));
    case Null:
        break;
    }
    return {};
}

void CellStore::erase(size_t from, size_t count)
{
    m_cells.erase(m_cells.begin() + qsizetype(from), m_cells.begin() + qsizetype(from + count));
}
