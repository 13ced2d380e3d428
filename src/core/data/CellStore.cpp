#include "core/data/CellStore.h"

#include <algorithm>
#include <cstring>

namespace {
template <class T> T read(const char* at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}
} // namespace

void CellStore::setColumnCount(int columns)
{
    clear();
    m_columns = size_t(std::max(columns, 0));
}

void CellStore::clear()
{
    m_cellCount = 0;
    m_rows.clear();
    m_bytes.clear();
}

void CellStore::startCell()
{
    if (m_columns > 0 && m_cellCount % m_columns == 0) {
        m_rows.push_back(m_bytes.size());
    }
    ++m_cellCount;
}

void CellStore::appendBytes(const void* data, size_t length)
{
    const char* bytes = static_cast<const char*>(data);
    m_bytes.insert(m_bytes.end(), bytes, bytes + length);
}

void CellStore::appendNull()
{
    startCell();
    m_bytes.push_back(char(Null));
}

void CellStore::appendInteger(qint64 value)
{
    startCell();
    m_bytes.push_back(char(Integer));
    appendBytes(&value, sizeof value);
}

void CellStore::appendReal(double value)
{
    startCell();
    m_bytes.push_back(char(Real));
    appendBytes(&value, sizeof value);
}

void CellStore::appendText(const char* utf8, int length)
{
    startCell();
    encodeText(utf8, length);
}

void CellStore::encodeText(const char* utf8, int length)
{
    if (length < 256) {
        m_bytes.push_back(char(ShortText));
        m_bytes.push_back(char(quint8(length)));
    } else {
        m_bytes.push_back(char(LongText));
        const auto stored = qint32(length);
        appendBytes(&stored, sizeof stored);
    }
    appendBytes(utf8, size_t(length));
}

void CellStore::encode(const QVariant& value)
{
    if (value.isNull()) {
        m_bytes.push_back(char(Null));
        return;
    }
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Bool: {
        const qint64 number = value.toLongLong();
        m_bytes.push_back(char(Integer));
        appendBytes(&number, sizeof number);
        return;
    }
    case QMetaType::Double: {
        const double number = value.toDouble();
        m_bytes.push_back(char(Real));
        appendBytes(&number, sizeof number);
        return;
    }
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        encodeText(utf8.constData(), int(utf8.size()));
    }
    }
}

void CellStore::append(const QVariant& value)
{
    startCell();
    encode(value);
}

const char* CellStore::skip(const char* cell)
{
    switch (Tag(quint8(*cell))) {
    case Null:
        return cell + 1;
    case Integer:
    case Real:
        return cell + 1 + 8;
    case ShortText:
        return cell + 2 + quint8(cell[1]);
    case LongText:
        return cell + 1 + 4 + read<qint32>(cell + 1);
    }
    return cell + 1;
}

CellStore::Cell CellStore::decode(const char* cell)
{
    Cell decoded;
    decoded.tag = Tag(quint8(*cell));
    switch (decoded.tag) {
    case Null:
        break;
    case Integer:
        decoded.integer = read<qint64>(cell + 1);
        break;
    case Real:
        decoded.real = read<double>(cell + 1);
        break;
    case ShortText:
        decoded.length = quint8(cell[1]);
        decoded.text = cell + 2;
        break;
    case LongText:
        decoded.length = read<qint32>(cell + 1);
        decoded.text = cell + 5;
        break;
    }
    return decoded;
}

const char* CellStore::cellAt(size_t index) const
{
    const char* cell = m_bytes.data() + m_rows[index / m_columns];
    for (size_t column = index % m_columns; column > 0; --column) {
        cell = skip(cell);
    }
    return cell;
}

size_t CellStore::rowLength(size_t row) const
{
    const char* start = m_bytes.data() + m_rows[row];
    const char* end = start;
    for (size_t column = 0; column < m_columns; ++column) {
        end = skip(end);
    }
    return size_t(end - start);
}

QVariant CellStore::value(size_t index) const
{
    const Cell cell = decode(cellAt(index));
    switch (cell.tag) {
    case Integer:
        return QVariant(qlonglong(cell.integer));
    case Real:
        return QVariant(cell.real);
    case ShortText:
    case LongText:
        return QVariant(QString::fromUtf8(cell.text, cell.length));
    case Null:
        break;
    }
    return {};
}

bool CellStore::isNull(size_t index) const
{
    return Tag(quint8(*cellAt(index))) == Null;
}

void CellStore::set(size_t index, const QVariant& value)
{
    const size_t row = index / m_columns;
    const size_t target = index % m_columns;
    // Copied out first: appending may move the buffer.
    const char* start = m_bytes.data() + m_rows[row];
    const std::vector<char> old(start, start + rowLength(row));
    const quint64 offset = m_bytes.size();
    const char* cell = old.data();
    for (size_t column = 0; column < m_columns; ++column) {
        const char* next = skip(cell);
        if (column == target) {
            encode(value);
        } else {
            appendBytes(cell, size_t(next - cell));
        }
        cell = next;
    }
    m_rows[row] = offset;
}

void CellStore::resize(size_t count)
{
    if (m_columns == 0) {
        return;
    }
    while (m_cellCount < count) {
        appendNull();
    }
    const size_t rows = count / m_columns;
    if (rows < m_rows.size()) {
        m_rows.resize(rows);
        m_cellCount = count;
    }
}

void CellStore::erase(size_t from, size_t count)
{
    if (m_columns == 0 || count == 0) {
        return;
    }
    const size_t first = from / m_columns;
    const size_t rows = count / m_columns;
    m_rows.erase(m_rows.begin() + qsizetype(first), m_rows.begin() + qsizetype(first + rows));
    m_cellCount -= count;
}

void CellStore::insert(size_t at, const CellStore& source, size_t from, size_t count)
{
    if (m_columns == 0 || count == 0) {
        return;
    }
    const size_t rows = count / m_columns;
    std::vector<quint64> places;
    for (size_t i = 0; i < rows; ++i) {
        const size_t row = from / m_columns + i;
        const char* start = source.m_bytes.data() + source.m_rows[row];
        places.push_back(m_bytes.size());
        appendBytes(start, source.rowLength(row));
    }
    m_rows.insert(m_rows.begin() + qsizetype(at / m_columns), places.begin(), places.end());
    m_cellCount += count;
}

int CellStore::compare(size_t index, const CellStore& other, size_t otherIndex) const
{
    const Cell a = decode(cellAt(index));
    const Cell b = decode(other.cellAt(otherIndex));
    const auto rank = [](Tag tag) { return tag == Null ? 0 : tag == ShortText || tag == LongText ? 2 : 1; };
    if (rank(a.tag) != rank(b.tag)) {
        return rank(a.tag) < rank(b.tag) ? -1 : 1;
    }
    if (rank(a.tag) == 0) {
        return 0;
    }
    if (rank(a.tag) == 2) {
        const int common = std::min(a.length, b.length);
        const int bytes = common == 0 ? 0 : std::memcmp(a.text, b.text, size_t(common));
        if (bytes != 0) {
            return bytes;
        }
        return a.length < b.length ? -1 : a.length > b.length ? 1 : 0;
    }
    if (a.tag == Integer && b.tag == Integer) {
        return a.integer < b.integer ? -1 : a.integer > b.integer ? 1 : 0;
    }
    // A long double holds any 64-bit whole number and any double exactly.
    const long double x = a.tag == Integer ? (long double)a.integer : (long double)a.real;
    const long double y = b.tag == Integer ? (long double)b.integer : (long double)b.real;
    return x < y ? -1 : x > y ? 1 : 0;
}
