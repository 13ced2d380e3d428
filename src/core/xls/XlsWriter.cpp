#include "core/xls/XlsWriter.h"

#include "core/data/AtomicFile.h"
#include "core/data/DayNumber.h"
#include "core/xls/BiffRecord.h"
#include "core/xls/CompoundFile.h"
#include "core/xls/XlsSharedStrings.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {
using namespace biff;
constexpr quint16 kBof = 0x0809;
constexpr quint16 kEof = 0x000A;
constexpr quint16 kCodePage = 0x0042;
constexpr quint16 kWindow1 = 0x003D;
constexpr quint16 kDateMode = 0x0022;
constexpr quint16 kPrecision = 0x000E;
constexpr quint16 kFont = 0x0031;
constexpr quint16 kFormat = 0x041E;
constexpr quint16 kXf = 0x00E0;
constexpr quint16 kStyle = 0x0293;
constexpr quint16 kBoundSheet = 0x0085;
constexpr quint16 kColInfo = 0x007D;
constexpr quint16 kDimensions = 0x0200;
constexpr quint16 kLabelSst = 0x00FD;
constexpr quint16 kNumber = 0x0203;
constexpr quint16 kRk = 0x027E;
constexpr quint16 kBoolErr = 0x0205;
constexpr quint16 kWindow2 = 0x023E;

constexpr quint16 kGlobalsBof = 0x0005;
constexpr quint16 kWorksheetBof = 0x0010;
constexpr quint16 kUtf16CodePage = 1200;

constexpr int kDataRowsPerSheet = 65536 - 1; // every sheet repeats the header row
constexpr int kMaxColumns = 256;
constexpr qsizetype kMaxSheetName = 31;
constexpr qsizetype kMaxTextLength = 32767;
constexpr qint64 kMaxStreamSize = std::numeric_limits<qint32>::max();
constexpr double kRkMin = -(1 << 29);
constexpr double kRkMax = (1 << 29) - 1;

// Column widths are kept in 1/256 of the digit width of the default font; 宋体 12pt digits are 8 pixels wide.
constexpr int kDigitPixels = 8;
constexpr int kMaxColumnWidth = 255 * 256;
const char16_t kFontName[] = u"宋体";
constexpr quint16 kFontHeight = 240; // twips: 12pt
constexpr char kGb2312CharSet = char(0x86);

// Cell formats 0-14 and 16-20 are the styles every workbook carries; 15 is the plain cell format.
constexpr quint16 kGeneralXf = 15;
constexpr quint16 kDateXf = 21;
constexpr quint16 kDateTimeXf = 22;
constexpr quint16 kHeaderXf = 23;
constexpr quint16 kBoldFont = 5;     // font index 4 never exists, so the fifth font record is number 5
constexpr quint16 kDateFormat = 164; // the first number format a workbook may define itself
constexpr quint16 kDateTimeFormat = 165;

// Cuts text to at most length units without splitting a surrogate pair.
QStringView leftWhole(QStringView text, qsizetype length)
{
    if (text.size() <= length) {
        return text;
    }
    if (length > 0 && text.at(length - 1).isHighSurrogate()) {
        --length;
    }
    return text.left(length);
}

void cellHeader(char* record, quint16 id, quint16 size, quint16 row, quint16 column, quint16 xf)
{
    put16(record, id);
    put16(record + 2, size);
    put16(record + 4, row);
    put16(record + 6, column);
    put16(record + 8, xf);
}

void addNumber(QByteArray& sheet, quint16 row, quint16 column, quint16 xf, double value)
{
    if (value >= kRkMin && value <= kRkMax && value == std::floor(value)) {
        // Whole numbers of 30 bits take the short form.
        char record[14];
        cellHeader(record, kRk, 10, row, column, xf);
        put32(record + 10, (quint32(qint32(value)) << 2) | 0x2);
        sheet.append(record, sizeof record);
        return;
    }
    char record[18];
    cellHeader(record, kNumber, 14, row, column, xf);
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, record + 10);
    sheet.append(record, sizeof record);
}

void addText(QByteArray& sheet, quint16 row, quint16 column, quint16 xf, QStringView text, XlsSharedStrings& strings)
{
    if (text.isEmpty()) {
        return;
    }
    char record[14];
    cellHeader(record, kLabelSst, 10, row, column, xf);
    put32(record + 10, strings.add(leftWhole(text, kMaxTextLength)));
    sheet.append(record, sizeof record);
}

// Excel counts 1 January 1900 as day 1 and keeps a 29 February 1900 that never was, so its serial numbers
// agree with day numbers only from March 1900 on.
double excelSerial(const QDate& date)
{
    const double dayNumber = DayNumber::fromDate(date);
    return date < QDate(1900, 3, 1) ? dayNumber - 1 : dayNumber;
}

void addValue(QByteArray& sheet, quint16 row, quint16 column, const QVariant& value, XlsSharedStrings& strings)
{
    if (!value.isValid() || value.isNull()) {
        return;
    }
    switch (value.typeId()) {
    case QMetaType::QString:
        addText(sheet, row, column, kGeneralXf, *static_cast<const QString*>(value.constData()), strings);
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float: {
        const double number = value.toDouble();
        // Excel has no cell value for infinities and NaN.
        if (std::isfinite(number)) {
            addNumber(sheet, row, column, kGeneralXf, number);
        }
        return;
    }
    case QMetaType::Bool: {
        char record[12];
        cellHeader(record, kBoolErr, 8, row, column, kGeneralXf);
        record[10] = char(value.toBool() ? 1 : 0);
        record[11] = 0;
        sheet.append(record, sizeof record);
        return;
    }
    case QMetaType::QDate: {
        const QDate date = value.toDate();
        if (!date.isValid()) {
            return;
        }
        const double serial = excelSerial(date);
        // Excel shows nothing useful for days before 1900, so those stay readable as text.
        if (serial < 1) {
            addText(sheet, row, column, kGeneralXf, date.toString(QStringLiteral("yyyy-MM-dd")), strings);
        } else {
            addNumber(sheet, row, column, kDateXf, serial);
        }
        return;
    }
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        if (!dateTime.isValid()) {
            return;
        }
        const double serial = excelSerial(dateTime.date());
        if (serial < 1) {
            addText(sheet, row, column, kGeneralXf, dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), strings);
        } else {
            const double dayFraction = double(dateTime.time().msecsSinceStartOfDay()) / (24.0 * 60 * 60 * 1000);
            addNumber(sheet, row, column, kDateTimeXf, serial + dayFraction);
        }
        return;
    }
    default:
        addText(sheet, row, column, kGeneralXf, value.toString(), strings);
        return;
    }
}

QByteArray bofData(quint16 type)
{
    QByteArray data;
    add16(data, 0x0600); // BIFF8
    add16(data, type);
    add16(data, 0x0DBB); // build and year of the Excel 97 file format
    add16(data, 0x07CC);
    add32(data, 0);
    add32(data, 0x06); // oldest version that can read the file: BIFF8
    return data;
}

QByteArray sheetRecords(const QStringList& captions, int firstRow, int rows, const XlsWriter::CellSource& cell,
                        const QList<int>& columnWidths, bool selected, XlsSharedStrings& strings)
{
    const auto columns = quint16(captions.size());
    QByteArray sheet;
    constexpr qsizetype kLargestReserve = 64 * 1024 * 1024;
    sheet.reserve(std::min(qsizetype(rows + 1) * columns * 14 + qsizetype(columns) * 16 + 128, kLargestReserve));
    addRecord(sheet, kBof, bofData(kWorksheetBof));

    for (quint16 column = 0; column < columns && column < columnWidths.size(); ++column) {
        const int pixels = columnWidths.at(column);
        if (pixels <= 0) {
            continue;
        }
        QByteArray info;
        add16(info, column);
        add16(info, column);
        add16(info, quint16(std::min<qint64>(qint64(pixels) * 256 / kDigitPixels, kMaxColumnWidth)));
        add16(info, kGeneralXf);
        add16(info, 0);
        add16(info, 0);
        addRecord(sheet, kColInfo, info);
    }

    QByteArray dimensions;
    add32(dimensions, 0);
    add32(dimensions, columns > 0 ? quint32(rows + 1) : 0); // one past the last row
    add16(dimensions, 0);
    add16(dimensions, columns);
    add16(dimensions, 0);
    addRecord(sheet, kDimensions, dimensions);

    for (quint16 column = 0; column < columns; ++column) {
        addText(sheet, 0, column, kHeaderXf, captions.at(column), strings);
    }
    for (int row = 0; row < rows; ++row) {
        for (quint16 column = 0; column < columns; ++column) {
            addValue(sheet, quint16(row + 1), column, cell(firstRow + row, column), strings);
        }
    }

    QByteArray window;
    // Grid, headings, zeros, outline symbols and default header colour; the first sheet is the shown one.
    add16(window, selected ? 0x06B6 : 0x00B6);
    add16(window, 0);
    add16(window, 0);
    add32(window, 0x40);
    add16(window, 0);
    add16(window, 0);
    add32(window, 0);
    addRecord(sheet, kWindow2, window);
    addRecord(sheet, kEof, {});
    return sheet;
}

QByteArray fontData(bool bold)
{
    QByteArray data;
    add16(data, kFontHeight);
    add16(data, 0);
    add16(data, 0x7FFF); // automatic colour
    add16(data, bold ? 700 : 400);
    add16(data, 0);
    add8(data, 0);
    add8(data, 0);
    data.append(kGb2312CharSet);
    add8(data, 0);
    const qsizetype nameLength = std::char_traits<char16_t>::length(kFontName);
    add8(data, quint8(nameLength));
    data.append(kUtf16Flag);
    addUtf16(data, kFontName, nameLength);
    return data;
}

QByteArray formatData(quint16 number, const QString& code)
{
    QByteArray data;
    add16(data, number);
    add16(data, quint16(code.size()));
    data.append(kUtf16Flag);
    addUtf16(data, QStringView(code).utf16(), code.size());
    return data;
}

// usedAttributes marks what a cell format sets itself instead of taking from its style.
QByteArray xfData(quint16 font, quint16 format, bool style, quint8 usedAttributes)
{
    QByteArray data;
    add16(data, font);
    add16(data, format);
    add16(data, style ? 0xFFF5 : 0x0001); // locked; a style has no parent, a cell format has style 0
    add8(data, 0x20);                     // bottom aligned
    add8(data, 0);
    add8(data, 0);
    add8(data, usedAttributes);
    add32(data, 0);
    add32(data, 0);
    add16(data, 0x20C0); // default pattern colours
    return data;
}

QByteArray styleData(quint16 xf, quint8 builtIn)
{
    QByteArray data;
    add16(data, 0x8000 | xf);
    add8(data, builtIn);
    add8(data, 0xFF);
    return data;
}

QByteArray globalsRecords(const QStringList& sheetNames, const QByteArrayList& sheets, const XlsSharedStrings& strings)
{
    QByteArray globals;
    addRecord(globals, kBof, bofData(kGlobalsBof));
    QByteArray codePage;
    add16(codePage, kUtf16CodePage);
    addRecord(globals, kCodePage, codePage);

    QByteArray window;
    for (const quint16 value : {360, 270, 14940, 9150, 0x0038, 0, 0, 1, 600}) {
        add16(window, value);
    }
    addRecord(globals, kWindow1, window);
    QByteArray dateMode;
    add16(dateMode, 0); // days counted from 1900
    addRecord(globals, kDateMode, dateMode);
    QByteArray precision;
    add16(precision, 1);
    addRecord(globals, kPrecision, precision);

    for (int i = 0; i < 4; ++i) {
        addRecord(globals, kFont, fontData(false));
    }
    addRecord(globals, kFont, fontData(true));

    addRecord(globals, kFormat, formatData(kDateFormat, QStringLiteral("yyyy-mm-dd")));
    addRecord(globals, kFormat, formatData(kDateTimeFormat, QStringLiteral("yyyy-mm-dd hh:mm:ss")));

    addRecord(globals, kXf, xfData(0, 0, true, 0x00));
    for (quint16 font : {1, 1, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) {
        addRecord(globals, kXf, xfData(font, 0, true, 0xF4));
    }
    addRecord(globals, kXf, xfData(0, 0, false, 0x00));
    for (quint16 format : {0x2B, 0x29, 0x2C, 0x2A, 0x09}) {
        addRecord(globals, kXf, xfData(1, format, true, 0xF8));
    }
    addRecord(globals, kXf, xfData(0, kDateFormat, false, 0x04));
    addRecord(globals, kXf, xfData(0, kDateTimeFormat, false, 0x04));
    addRecord(globals, kXf, xfData(kBoldFont, 0, false, 0x08));

    addRecord(globals, kStyle, styleData(0x10, 3)); // comma
    addRecord(globals, kStyle, styleData(0x11, 6)); // comma [0]
    addRecord(globals, kStyle, styleData(0x12, 4)); // currency
    addRecord(globals, kStyle, styleData(0x13, 7)); // currency [0]
    addRecord(globals, kStyle, styleData(0x00, 0)); // normal
    addRecord(globals, kStyle, styleData(0x14, 5)); // percent

    QList<qsizetype> offsetFields;
    for (const QString& name : sheetNames) {
        QByteArray sheet;
        add32(sheet, 0); // filled in below, once the size of these records is known
        add8(sheet, 0);
        add8(sheet, 0);
        add8(sheet, quint8(name.size()));
        sheet.append(kUtf16Flag);
        addUtf16(sheet, QStringView(name).utf16(), name.size());
        offsetFields << globals.size() + 4;
        addRecord(globals, kBoundSheet, sheet);
    }

    strings.appendRecords(globals);
    addRecord(globals, kEof, {});

    qint64 offset = globals.size();
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        put32(globals.data() + offsetFields.at(i), quint32(offset));
        offset += sheets.at(i).size();
    }
    return globals;
}

QString cleanSheetName(const QString& requested)
{
    static const QString forbidden = QStringLiteral("[]:*?/\\");
    QString name;
    name.reserve(requested.size());
    for (const QChar ch : requested) {
        name += forbidden.contains(ch) ? QLatin1Char('_') : ch;
    }
    // Excel refuses names that begin or end with an apostrophe.
    while (name.startsWith(QLatin1Char('\''))) {
        name.remove(0, 1);
    }
    while (name.endsWith(QLatin1Char('\''))) {
        name.chop(1);
    }
    return name.isEmpty() ? QStringLiteral("Sheet1") : name;
}

QString fitSheetName(const QString& base, const QString& suffix)
{
    QString name = leftWhole(base, kMaxSheetName - suffix.size()).toString();
    while (name.endsWith(QLatin1Char('\''))) {
        name.chop(1);
    }
    return name + suffix;
}

QStringList sheetNames(const QString& requested, int count)
{
    const QString base = cleanSheetName(requested);
    QStringList names{fitSheetName(base, {})};
    for (int number = 2; names.size() < count; ++number) {
        const QString name = fitSheetName(base, QStringLiteral(" (%1)").arg(number));
        if (!names.contains(name, Qt::CaseInsensitive)) {
            names << name;
        }
    }
    return names;
}
} // namespace

bool XlsWriter::write(const QString& path, const QString& sheetName, const QStringList& captions, int rowCount,
                      const CellSource& cell, const QList<int>& columnWidths, QString* errorMessage)
{
    const auto fail = [&](const QString& reason) {
        if (errorMessage != nullptr) {
            *errorMessage = QStringLiteral("无法写入文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
        }
        return false;
    };
    if (captions.size() > kMaxColumns) {
        return fail(QStringLiteral("Excel 97-2003 工作表最多 %1 列，要导出的表格有 %2 列。")
                        .arg(kMaxColumns)
                        .arg(captions.size()));
    }

    rowCount = std::max(rowCount, 0);
    const int sheetCount = rowCount == 0 ? 1 : int((qint64(rowCount) + kDataRowsPerSheet - 1) / kDataRowsPerSheet);
    const QStringList names = sheetNames(sheetName, sheetCount);
    XlsSharedStrings strings;
    QByteArrayList sheets;
    qint64 streamSize = 0;
    for (int index = 0; index < sheetCount; ++index) {
        const int firstRow = index * kDataRowsPerSheet;
        const int rows = std::min(kDataRowsPerSheet, rowCount - firstRow);
        sheets << sheetRecords(captions, firstRow, rows, cell, columnWidths, index == 0, strings);
        streamSize += sheets.last().size();
    }
    const QByteArray globals = globalsRecords(names, sheets, strings);
    streamSize += globals.size();
    if (streamSize > kMaxStreamSize) {
        return fail(QStringLiteral("数据太多，超出了 Excel 97-2003 文件的大小上限。"));
    }
    const CompoundFile::Stream workbook{QStringLiteral("Workbook"), QByteArrayList{globals} + sheets};

    AtomicFile file(path);
    if (!file.open()) {
        const QFileInfo info(path);
        if (info.isDir()) {
            return fail(QStringLiteral("这是一个文件夹。"));
        }
        if (!info.absoluteDir().exists()) {
            return fail(QStringLiteral("所在的文件夹不存在。"));
        }
        return fail(QStringLiteral("不能在这里创建文件（%1）。").arg(file.errorString()));
    }
    if (!CompoundFile::write(&file, {workbook})) {
        const QString reason = file.errorString();
        file.cancel();
        return fail(QStringLiteral("写入时出错（%1），原有文件保持不变。").arg(reason));
    }
    if (!file.commit()) {
        return fail(QStringLiteral("保存时出错（%1），原有文件保持不变。").arg(file.errorString()));
    }
    return true;
}
