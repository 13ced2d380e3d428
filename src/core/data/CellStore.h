#pragma once

#include <QVariant>
#include <vector>

// The cells of a query result, kept compact: every row's cells packed one
// after another in one byte buffer (a type byte, then the number or the
// UTF-8 text with its length), and a row's place in the buffer. A cell is
// turned into a QVariant only when it is read, and moving a row moves one
// number. A million contacts then take little more than their text.
//
// Cells are numbered row by row (row * columns + column) and appended in that
// order; rows are removed, inserted and grown whole.
class CellStore {
public:
    // Also empties the store.
    void setColumnCount(int columns);

    void clear();

    size_t size() const { return m_cellCount; }

    void appendNull();
    void appendInteger(qint64 value);
    void appendReal(double value);
    void appendText(const char* utf8, int length);
    // A storage value: null, integer, double or text.
    void append(const QVariant& value);

    QVariant value(size_t index) const;
    bool isNull(size_t index) const;

    // The row is written anew at the end of the buffer; its old bytes stay
    // unused until the result is dropped (edits are few).
    void set(size_t index, const QVariant& value);

    // Whole rows: count grows by NULL cells or shrinks by dropping rows.
    void resize(size_t count);
    void erase(size_t from, size_t count);
    // Copies count cells of another store in before index at.
    void insert(size_t at, const CellStore& source, size_t from, size_t count);

    // SQLite's order of two cells: NULL, then numbers by value, then text by
    // its UTF-8 bytes. Negative, zero or positive.
    int compare(size_t index, const CellStore& other, size_t otherIndex) const;

private:
    enum Tag : quint8 { Null, Integer, Real, ShortText, LongText };

    struct Cell {
        Tag tag = Null;
        qint64 integer = 0;
        double real = 0;
        const char* text = nullptr;
        qint32 length = 0;
    };

    const char* cellAt(size_t index) const;
    static const char* skip(const char* cell);
    static Cell decode(const char* cell);
    void startCell();
    void appendBytes(const void* data, size_t length);
    // The bytes of one cell, without counting it.
    void encode(const QVariant& value);
    void encodeText(const char* utf8, int length);
    size_t rowLength(size_t row) const;

    size_t m_columns = 0;
    size_t m_cellCount = 0;
    std::vector<quint64> m_rows; // where each row starts in m_bytes
    std::vector<char> m_bytes;
};
