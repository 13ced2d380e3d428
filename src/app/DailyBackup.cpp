#include "app/DailyBackup.h"

#include "core/backup/BackupStore.h"
#include "core/data/Clock.h"
#include "core/data/Tdm.h"
#include "forms/ErrorReport.h"

#include <QTimer>

namespace {
// Late enough not to slow the start, early enough to be there the first day.
constexpr int kFirstDelayMs = 20 * 1000;
constexpr int kCheckMs = 60 * 60 * 1000;
} // namespace

DailyBackup::DailyBackup(QObject* parent)
    : QObject(parent)
{
    TimerBackup = new QTimer(this);
    TimerBackup->setObjectName(QStringLiteral("TimerBackup"));
    TimerBackup->setInterval(kFirstDelayMs);
    ErrorReport::connect(TimerBackup, &QTimer::timeout, this, [this] {
        TimerBackup->setInterval(kCheckMs);
        backupIfDue();
    });
    TimerBackup->start();
}

bool DailyBackup::backupIfDue()
{
    BackupStore store(dm->ADOConnection1().filePath());
    const QDate today = Clock::today();
    if (store.hasCopy(today)) {
        return true;
    }
    QString error;
    if (store.backup(dm->ADOConnection1(), today, &error)) {
        m_reported = false;
        return true;
    }
    if (!m_reported) {
        m_reported = true;
        Q_EMIT failed(QStringLiteral("自动备份失败：") + error);
    }
    return false;
}
