#include "core/data/DatabaseHeader.h"

#include <QFile>
#include <QtEndian>

namespace {
constexpr char kMagic[] = "SQLite format 3";
constexpr qsizetype kHeaderSize = 100;
} // namespace

DatabaseHeader::DatabaseHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QByteArray header = file.read(kHeaderSize);
    const QByteArray magic(kMagic, sizeof kMagic); // with its closing zero byte
    if (header.size() < kHeaderSize) {
        // A start of the magic text alone is an SQLite file cut short.
        m_sqlite = !header.isEmpty() && magic.startsWith(header.left(magic.size()));
        m_truncated = m_sqlite;
        return;
    }
    m_sqlite = header.startsWith(magic);
    if (!m_sqlite) {
        return;
    }
    const auto* bytes = reinterpret_cast<const uchar*>(header.constData());
    m_applicationId = qFromBigEndian<qint32>(bytes + 68);
    quint32 pageSize = qFromBigEndian<quint16>(bytes + 16);
    if (pageSize == 1) {
        pageSize = 65536;
    }
    const quint32 pageCount = qFromBigEndian<quint32>(bytes + 28);
    // The page count is only to be trusted while the change counter and the
    // version-valid-for number agree.
    const bool countValid = qFromBigEndian<quint32>(bytes + 24) == qFromBigEndian<quint32>(bytes + 92);
    m_truncated = countValid && pageCount > 0 && file.size() < qint64(pageCount) * pageSize;
}
