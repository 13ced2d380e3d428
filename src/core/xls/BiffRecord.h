#pragma once

#include <QByteArray>
#include <QtEndian>

// The building blocks of the records of an Excel 97-2003 workbook stream.
namespace biff {
inline constexpr quint16 kSst = 0x00FC;
inline constexpr quint16 kContinue = 0x003C;
inline constexpr quint16 kExtSst = 0x00FF;
inline constexpr char kUtf16Flag = 0x01;
inline constexpr int kMaxRecordData = 8224;

inline void put16(char* at, quint16 value)
{
    qToLittleEndian(value, at);
}

inline void put32(char* at, quint32 value)
{
    qToLittleEndian(value, at);
}

inline void add8(QByteArray& bytes, quint8 value)
{
    bytes.append(char(value));
}

inline void add16(QByteArray& bytes, quint16 value)
{
    char data[2];
    put16(data, value);
    bytes.append(data, 2);
}

inline void add32(QByteArray& bytes, quint32 value)
{
    char data[4];
    put32(data, value);
    bytes.append(data, 4);
}

inline void addUtf16(QByteArray& bytes, const char16_t* text, qsizetype length)
{
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    bytes.append(reinterpret_cast<const char*>(text), length * 2);
#else
    for (qsizetype i = 0; i < length; ++i) {
        add16(bytes, text[i]);
    }
#endif
}

inline void addRecord(QByteArray& stream, quint16 id, const QByteArray& data)
{
    Q_ASSERT(data.size() <= kMaxRecordData);
    add16(stream, id);
    add16(stream, quint16(data.size()));
    stream.append(data);
}

} // namespace biff
