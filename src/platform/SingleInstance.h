#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

// One running program per program folder: two would share one database, and
// their timers would ring every alarm and take every capture twice. The first
// start holds a lock file and listens on a local socket named after the
// folder; a later start asks it to come to the front and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString& programFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Claim {
        First,   // this start runs; later ones reach it
        Running, // another start runs and was asked to come to the front
        Silent,  // another start runs but did not answer
    };

    Claim claim();

    // The lock and the socket's name, both derived from the folder.
    QString lockPath() const { return m_lockPath; }

    QString serverName() const { return m_serverName; }

Q_SIGNALS:
    // A later start asked this one to come to the front.
    void activationRequested();

private:
    bool listen();
    bool askRunningToShow();

    QString m_lockPath;
    QString m_fallbackLockPath;
    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
