#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

// Exports a table as an Excel 97-2003 workbook (.xls). A sheet holds at most 65536 rows, so a longer table
// continues on further sheets, each starting with the header row again.
class XlsWriter {
public:
    // A cell value: QString text, int/qlonglong/double numbers, QDate (a date) or QDateTime (date and time), or an
    // invalid/null QVariant for an empty cell.
    using CellSource = std::function<QVariant(int row, int column)>;

    // Writes one workbook: a header row of captions then rowCount data rows of captions.size() columns.
    // columnWidths: optional widths in pixels per column (may be empty). Writes whole and atomically,
    // replacing an existing file without asking.
    // Returns false with a clear Chinese message in *errorMessage (naming the file) when the file cannot be
    // written; the old file then stays as it was.
    static bool write(const QString& path, const QString& sheetName, const QStringList& captions, int rowCount,
                      const CellSource& cell, const QList<int>& columnWidths, QString* errorMessage);
};
