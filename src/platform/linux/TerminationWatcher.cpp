#include "platform/linux/TerminationWatcher.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_signalSockets[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here: wake the event loop.
    [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
}
} // namespace

TerminationWatcher::TerminationWatcher(QObject* parent)
    : SessionEnd(parent)
{
    if (g_signalSockets[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalSockets) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationWatcher::readSignal);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

TerminationWatcher::~TerminationWatcher()
{
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
}

void TerminationWatcher::readSignal()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(g_signalSockets[1], &byte, 1);
    Q_EMIT ending();
}
