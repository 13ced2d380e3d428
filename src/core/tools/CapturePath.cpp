#include "core/tools/CapturePath.h"

#include "core/data/TimerSpan.h"

QStringList CapturePath::folders(const QString& prefix, const QDateTime& moment)
{
    QStringList levels;
    QString folder = prefix + QStringLiteral("pic");
    levels << folder;
    for (const QString& format : {QStringLiteral("yyyy"), QStringLiteral("MM"), QStringLiteral("dd")}) {
        folder += QLatin1Char('/') + moment.toString(format);
        levels << folder;
    }
    return levels;
}

QString CapturePath::file(const QString& prefix, const QDateTime& moment)
{
    return folders(prefix, moment).constLast() + QLatin1Char('/') + moment.toString(QStringLiteral("yyyyMMdd_HHmmss")) +
           QStringLiteral(".JPG");
}

std::optional<int> CapturePath::timerInterval(int frequencySeconds)
{
    if (frequencySeconds <= 0) {
        return std::nullopt;
    }
    return TimerSpan::fromSeconds(frequencySeconds);
}
