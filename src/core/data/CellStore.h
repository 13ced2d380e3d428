#pragma once

#include <QVariant>
#include <vector>

// The cells of a query result, kept compact: numbers inline and text as UTF-8
// in one buffer, turned into QString only when a cell is read. Opening a list
// of 100 000 rows then costs little more than reading them.
class CellStore {
public:
    void clear();

    size_t size() const { return m_cells.size(); }

    void appendNull() { m_cells.push_back({}); }

    void appendInteger(qint64 value);
    void appendReal(double value);
    void appendText(const char* utf8, int length);
    // A storage value: null, integer, double or text.
    void append(const QVariant& value);

    QVariant value(size_t index) const;

    bool isNull(size_t index) const { return m_cells[index].type == Null; }

    void set(size_t index, const QVariant& value);

    void resize(size_t count) { m_cells.resize(count); }

    void erase(size_t from, size_t count);
    // Copies count cells of another store in before index at.
    void insert(size_t at, const CellStore& source, size_t from, size_t count);

    // SQLite's order of two cells: NULL, then numbers by value, then text by
    // its UTF-8 bytes. Negative, zero or positive.
    int compare(size_t index, const CellStore& other, size_t otherIndex) const;

private:
    enum Type : quint8 { Null, Integer, Real, Text };

    struct Cell {
        union {
            qint64 integer;
            double real;
            quint64 offset;
        };

        qint32 length = 0;
        Type type = Null;

        Cell()
            : integer(0)
        {
        }
    };

    Cell makeCell(const QVariant& value);

    std::vector<Cell> m_cells;
    std::vector<char> m_text;
};
