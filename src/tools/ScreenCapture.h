#pragma once

#include <QObject>
#include <memory>

class QTimer;

// Periodic screen capture: TimerJieping fires every jiepingpinlv seconds while
// that frequency is positive and saves the primary screen as a JPEG in a
// dated folder. The screen is grabbed on the window thread; compressing and
// writing run on a worker, so the windows never stall, and a tick that comes
// while the last capture is still being written is skipped, not queued.
class ScreenCapture : public QObject {
    Q_OBJECT

public:
    explicit ScreenCapture(QObject* parent);
    ~ScreenCapture() override;

    // From the cached frequency; run at start and after the parameters change.
    void ArmJiepingTimer();
    void CaptureScreen(int left, int top, int right, int bottom);

    bool isWriting() const;
    // Waits for the capture being written, if any (tests, and the end of the program).
    void waitForWriting() const;

    QTimer* TimerJieping = nullptr;

    static constexpr int kQuality = 70;

private:
    void TimerJiepingTimer();

    // Shared with the worker, which may outlive this object by a moment.
    struct InFlight;
    std::shared_ptr<InFlight> m_inFlight;
};
