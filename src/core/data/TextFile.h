#pragma once

#include <QString>
#include <optional>

// Plain text files of lines ended by CR LF, such as the common strings pad.
// Written whole and atomically (a temporary file renamed over the old one), so
// a crash never leaves half a file; read as UTF-8, or as GBK when an older
// version wrote them in that encoding.
class TextFile {
public:
    // nullopt when the file cannot be read.
    static std::optional<QString> read(const QString& path);
    // The text's lines, each ended by CR LF. False, with the reason in *error,
    // when it cannot be written; the old file then stays as it was.
    static bool write(const QString& path, const QString& text, QString* error = nullptr);

    static QString decode(const QByteArray& bytes);
};
