#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

namespace {
constexpr char kShowRequest[] = "show\n";
constexpr int kAnswerWaitMs = 5000;
} // namespace

SingleInstance::SingleInstance(const QString& programFolder, QObject* parent)
    : QObject(parent)
{
    const QString folder = QFileInfo(programFolder).canonicalFilePath().isEmpty()
                               ? QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath())
                               : QFileInfo(programFolder).canonicalFilePath();
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(QFile::encodeName(folder), QCryptographicHash::Sha256).toHex().left(24));
    m_lockPath = folder + QStringLiteral("/pel.lock");
    // A folder the program may not write still gets one program at a time.
    m_fallbackLockPath = QDir::tempPath() + QStringLiteral("/pelorin-") + key + QStringLiteral(".lock");
    m_serverName = QStringLiteral("pelorin-") + key;
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Claim SingleInstance::claim()
{
    for (const QString& path : {m_lockPath, m_fallbackLockPath}) {
        m_lock = std::make_unique<QLockFile>(path);
        // A running program holds its lock however long it runs; only the lock
        // of a program that died is taken over.
        m_lock->setStaleLockTime(0);
        if (m_lock->tryLock()) {
            listen();
            return Claim::First;
        }
        if (m_lock->error() == QLockFile::LockFailedError) {
            m_lock.reset();
            return askRunningToShow() ? Claim::Running : Claim::Silent;
        }
    }
    // Neither place takes a lock file: better to run than not to start at all.
    m_lock.reset();
    listen();
    return Claim::First;
}

bool SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock, a socket left over from a program that died is ours to remove.
    QLocalServer::removeServer(m_serverName);
    if (!m_server->listen(m_serverName)) {
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->canReadLine() && socket->readLine() == kShowRequest) {
                    socket->write("ok\n");
                    socket->flush();
                    Q_EMIT activationRequested();
                }
            });
        }
    });
    return true;
}

bool SingleInstance::askRunningToShow()
{
    // The running program may still be starting and not listen yet.
    const QDeadlineTimer deadline(kAnswerWaitMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(500)) {
            socket.write(kShowRequest);
            socket.flush();
            while (!socket.canReadLine() && socket.waitForReadyRead(int(qMax<qint64>(deadline.remainingTime(), 1)))) {
            }
            return socket.canReadLine() && socket.readLine() == "ok\n";
        }
        QThread::msleep(100);
    }
    return false;
}
