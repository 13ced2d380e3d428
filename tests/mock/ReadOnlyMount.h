#pragma once

#include <QProcess>
#include <QTemporaryDir>

// A folder's files moved onto a small file system of their own that is then
// made read-only, for a read-only database that even root cannot write.
// Needs root; isReadOnly() says whether it worked. Unmounted afterwards.
class ReadOnlyMount {
public:
    explicit ReadOnlyMount(const QString& folder)
        : m_folder(folder)
    {
        const QString saved = m_saved.path() + QStringLiteral("/files");
        m_mounted = run(QStringLiteral("cp"), {QStringLiteral("-a"), folder, saved}) &&
                    run(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                  QStringLiteral("size=4m"), QStringLiteral("tmpfs"), folder});
        m_readOnly = m_mounted &&
                     run(QStringLiteral("cp"), {QStringLiteral("-a"), saved + QStringLiteral("/."), folder}) &&
                     run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,ro"), folder});
    }

    ~ReadOnlyMount()
    {
        if (m_mounted) {
            run(QStringLiteral("umount"), {m_folder});
        }
    }

    Q_DISABLE_COPY_MOVE(ReadOnlyMount)

    bool isReadOnly() const { return m_readOnly; }

private:
    static bool run(const QString& program, const QStringList& arguments)
    {
        return QProcess::execute(program, arguments) == 0;
    }

    QString m_folder;
    QTemporaryDir m_saved;
    bool m_mounted = false;
    bool m_readOnly = false;
};
