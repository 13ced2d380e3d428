#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGHUP (the desktop session ending) into a signal on the
// event loop, where it is safe to act on it.
class TerminationWatcher : public QObject {
    Q_OBJECT

public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

Q_SIGNALS:
    void terminationRequested();

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};
