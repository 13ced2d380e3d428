#pragma once

#include <QObject>

class QTimer;

// Periodic screen capture: TimerJieping fires every jiepingpinlv seconds while
// that frequency is positive.
class ScreenCapture : public QObject {
    Q_OBJECT

public:
    explicit ScreenCapture(QObject* parent);

    // From the cached frequency; run at start and after the parameters change.
    void ArmJiepingTimer();

    QTimer* TimerJieping = nullptr;
};
