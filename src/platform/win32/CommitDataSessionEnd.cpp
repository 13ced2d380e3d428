#include "platform/win32/CommitDataSessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>

CommitDataSessionEnd::CommitDataSessionEnd(QObject* parent)
    : SessionEnd(parent)
{
    // Direct: Windows waits for the answer inside this message.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &CommitDataSessionEnd::commitData,
            Qt::DirectConnection);
}

void CommitDataSessionEnd::commitData(QSessionManager& manager)
{
    // No dialogs may come up now: the confirmations would stop the logoff.
    manager.setRestartHint(QSessionManager::RestartNever);
    Q_EMIT ending();
}
