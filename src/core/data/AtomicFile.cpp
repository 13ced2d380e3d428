#include "core/data/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
AtomicFile::Fault& fault()
{
    static AtomicFile::Fault instance;
    return instance;
}

QString systemMessage(int error)
{
    if (error == ENOSPC) {
        return QStringLiteral("磁盘空间不足");
    }
    if (error == EACCES || error == EPERM) {
        return QStringLiteral("没有写入权限");
    }
    if (error == EROFS) {
        return QStringLiteral("磁盘只读");
    }
    if (error == EDQUOT) {
        return QStringLiteral("超出磁盘配额");
    }
    return QString::fromLocal8Bit(std::strerror(error));
}
} // namespace

AtomicFile::AtomicFile(QString path)
    : m_path(std::move(path))
{
}

AtomicFile::~AtomicFile()
{
    cancel();
}

void AtomicFile::setFault(const Fault& value)
{
    fault() = value;
}

bool AtomicFile::fail(int error)
{
    m_failed = true;
    setErrorString(systemMessage(error));
    return false;
}

bool AtomicFile::open()
{
    cancel();
    m_failed = false;
    m_written = 0;
    const QFileInfo target(m_path);
    if (target.isDir()) {
        return fail(EISDIR);
    }

    // A replaced file keeps its mode; a new one gets what the umask allows.
    struct stat existing {};

    const QByteArray encodedPath = QFile::encodeName(m_path);
    const bool replaces = ::stat(encodedPath.constData(), &existing) == 0;
    const mode_t mode = replaces ? (existing.st_mode & 07777) : 0666;
    // A unique name, so that two writers never share one temporary file.
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temporary = m_path + QStringLiteral(".tmp") + QString::number(QRandomGenerator::global()->generate(), 36);
        m_fd = ::open(QFile::encodeName(m_temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd < 0 && errno != EEXIST) {
            const int error = errno;
            m_temporary.clear();
            return fail(error);
        }
    }
    if (m_fd < 0) {
        m_temporary.clear();
        return fail(EEXIST);
    }
    if (replaces) {
        ::fchmod(m_fd, existing.st_mode & 07777);
    }
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

qint64 AtomicFile::readData(char*, qint64)
{
    return -1;
}

qint64 AtomicFile::writeData(const char* data, qint64 size)
{
    if (m_fd < 0 || m_failed) {
        return -1;
    }
    qint64 done = 0;
    while (done < size) {
        qint64 chunk = size - done;
        const Fault& simulated = fault();
        if (simulated.writableBytes >= 0) {
            chunk = qMin(chunk, simulated.writableBytes - m_written);
            if (chunk <= 0) {
                fail(ENOSPC);
                return -1;
            }
        }
        const ssize_t n = ::write(m_fd, data + done, size_t(chunk));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(errno);
            return -1;
        }
        done += n;
        m_written += n;
    }
    return done;
}

void AtomicFile::closeHandle()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    const QString reason = errorString();
    QIODevice::close();
    setErrorString(reason);
}

bool AtomicFile::commit()
{
    if (m_fd < 0) {
        return fail(EBADF);
    }
    if (!m_failed && (fault().failSync || ::fsync(m_fd) != 0)) {
        fail(fault().failSync ? EIO : errno);
    }
    if (!m_failed) {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0) {
            fail(errno);
        }
    }
    if (m_failed) {
        cancel();
        return false;
    }
    QIODevice::close();
    if (::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_path).constData()) != 0) {
        const int error = errno;
        cancel();
        return fail(error);
    }
    m_temporary.clear();
    // The rename itself is on disk once the folder is synced.
    const int folder = ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

void AtomicFile::cancel()
{
    closeHandle();
    if (!m_temporary.isEmpty()) {
        ::unlink(QFile::encodeName(m_temporary).constData());
        m_temporary.clear();
    }
}

bool AtomicFile::writeAll(const QString& path, const QByteArray& bytes, QString* error)
{
    AtomicFile file(path);
    const bool written = file.open() && file.write(bytes) == bytes.size() && file.commit();
    if (!written && error != nullptr) {
        *error = file.errorString();
    }
    return written;
}
