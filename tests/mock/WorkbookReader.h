#pragma once

#include <QFile>
#include <QStringList>
#include <freexl.h>
#include <functional>

// Reads back the first sheet of a written .xls with libfreexl, an independent
// reader: each row as its cells joined by '|', each cell as format shows it.
inline QStringList readFirstSheet(const QString& path, const std::function<QString(const FreeXL_CellValue&)>& format)
{
    const void* handle = nullptr;
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK) {
        return {QStringLiteral("cannot open")};
    }
    freexl_select_active_worksheet(handle, 0);
    unsigned int rowCount = 0;
    unsigned short columnCount = 0;
    freexl_worksheet_dimensions(handle, &rowCount, &columnCount);
    QStringList rows;
    for (unsigned int r = 0; r < rowCount; ++r) {
        QStringList cells;
        for (unsigned short c = 0; c < columnCount; ++c) {
            FreeXL_CellValue cell;
            freexl_get_cell_value(handle, r, c, &cell);
            cells << format(cell);
        }
        rows << cells.join(QLatin1Char('|'));
    }
    freexl_close(handle);
    return rows;
}
