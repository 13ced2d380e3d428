#pragma once

#include <QObject>

class QTimer;

// Copies the database into backup/ once a day while the program runs: soon
// after start, then whenever the day has changed. A failure is told once
// through failed(), never in a box, until a copy succeeds again.
class DailyBackup : public QObject {
    Q_OBJECT

public:
    explicit DailyBackup(QObject* parent);

    // Takes today's copy unless there is one; false when that failed.
    bool backupIfDue();

    QTimer* TimerBackup = nullptr;

Q_SIGNALS:
    void failed(const QString& message);

private:
    bool m_reported = false;
};
