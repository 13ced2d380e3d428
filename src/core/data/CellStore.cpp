#include "core/data/CellStore.h"

#include <algorithm>
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

void CellStore::insert(size_t at, const CellStore& source, size_t from, size_t count)
{
    std::vector<Cell> cells(source.m_cells.begin() + qsizetype(from), source.m_cells.begin() + qsizetype(from + count));
    for (Cell& cell : cells) {
        if (cell.type == Text) {
            const char* text = source.m_text.data() + cell.offset;
            cell.offset = m_text.size();
            m_text.insert(m_text.end(), text, text + cell.length);
        }
    }
    m_cells.insert(m_cells.begin() + qsizetype(at), cells.begin(), cells.end());
}

int CellStore::compare(size_t index, const CellStore& other, size_t otherIndex) const
{
    const Cell& a = m_cells[index];
    const Cell& b = other.m_cells[otherIndex];
    const auto rank = [](Type type) { return type == Null ? 0 : type == Text ? 2 : 1; };
    if (rank(a.type) != rank(b.type)) {
        return rank(a.type) < rank(b.type) ? -1 : 1;
    }
    switch (a.type) {
    case Null:
        return 0;
    case Text: {
        const int common = std::min(a.length, b.length);
        const int bytes =
            common == 0 ? 0 : std::memcmp(m_text.data() + a.offset, other.m_text.data() + b.offset, size_t(common));
        if (bytes != 0) {
            return bytes;
        }
        return a.length < b.length ? -1 : a.length > b.length ? 1 : 0;
    }
    default:
        break;
    }
    if (a.type == Integer && b.type == Integer) {
        return a.integer < b.integer ? -1 : a.integer > b.integer ? 1 : 0;
    }
    // A long double holds any 64-bit whole number and any double exactly.
    const long double x = a.type == Integer ? (long double)a.integer : (long double)a.real;
    const long double y = b.type == Integer ? (long double)b.integer : (long double)b.real;
    return x < y ? -1 : x > y ? 1 : 0;
}
