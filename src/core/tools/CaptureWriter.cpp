#include "core/tools/CaptureWriter.h"

#include "core/data/AppPaths.h"
#include "core/data/AtomicFile.h"
#include "core/tools/CapturePath.h"

#include <QDir>
#include <QFileInfo>

bool CaptureWriter::save(const QString& prefix, const QDateTime& moment, const QByteArray& jpeg)
{
    if (jpeg.isEmpty()) {
        return false;
    }
    const QDir base(AppPaths::workingFolder());
    for (const QString& folder : CapturePath::folders(prefix, moment)) {
        const QString path = base.absoluteFilePath(folder);
        if (!QFileInfo(path).isDir()) {
            // A failed level shows itself when the file cannot be written.
            QDir().mkdir(path);
        }
    }
    return AtomicFile::writeAll(base.absoluteFilePath(CapturePath::file(prefix, moment)), jpeg);
}
