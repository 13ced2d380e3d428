#pragma once

#include <QString>

// The kinds of column the record tables use. The declared type in the stored
// schema names the kind, so the data layer can read it back from any file.
enum class ColumnKind {
    Integer,  // "INTEGER": whole numbers, keys
    Number,   // "DOUBLE": a decimal number typed by the user
    Money,    // "MONEY": ten-thousandths as an integer
    Date,     // "DATE": a day number without time of day
    DateTime, // "DATETIME": a day number with the time as fraction
    Text,     // "VARCHAR(n)": one line of at most n characters
    LongText, // "LONGTEXT": multi-line, unbounded
    Unknown,  // a computed column, taken as it comes
};

struct ColumnType {
    ColumnKind kind = ColumnKind::Unknown;
    int width = 0; // characters, for Text

    static ColumnType fromDeclared(const QString& declared);
    QString declared() const;

    bool isDate() const { return kind == ColumnKind::Date || kind == ColumnKind::DateTime; }
};
