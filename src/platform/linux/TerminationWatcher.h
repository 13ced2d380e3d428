#pragma once

#include "platform/SessionEnd.h"

class QSocketNotifier;

// The session's end on Linux: SIGTERM and SIGHUP, turned into a signal on the
// event loop, where it is safe to act on it.
class TerminationWatcher : public SessionEnd {
    Q_OBJECT

public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};
