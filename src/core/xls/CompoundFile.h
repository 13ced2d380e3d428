#pragma once

#include <QByteArrayList>
#include <QList>
#include <QString>

class QIODevice;

// Writes a compound file, the container that holds the streams of an .xls workbook: version 3, 512-byte
// sectors. Streams under 4096 bytes live in the mini stream, larger ones in their own runs of sectors; the
// allocation table grows past the 109 sectors the header can list through extra index sectors.
class CompoundFile {
public:
    struct Stream {
        QString name; // at most 31 characters, none of / \ : !
        // The stream's bytes are the parts in order; a large stream need not be joined into one array first.
        QByteArrayList parts;
    };

    // Writes the whole file to device from its current position. Returns false when the device refuses data.
    static bool write(QIODevice* device, const QList<Stream>& streams);
};
