#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Saves a compressed capture where its moment puts it: the folders from "pic"
// down to the day are created one level at a time (the prefix itself is not
// created), then the file is written whole. Every failure is silent: the
// capture is lost and the next one tries again.
class CaptureWriter {
public:
    // A relative prefix counts from the working folder.
    static bool save(const QString& prefix, const QDateTime& moment, const QByteArray& jpeg);
};
