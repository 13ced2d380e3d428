// A week of the resident program's timer work, driven by calling the timers'
// handlers directly: the memory before and after shows whether anything
// grows. First it lists the timers that stay on while no window is open, and
// so how often the idle program wakes.
#include "BenchMeasure.h"
#include "alarms/AlertRinger.h"
#include "app/TfrmMain.h"
#include "core/data/AppPaths.h"
#include "core/data/Clock.h"
#include "core/data/Tdm.h"
#include "tools/RestReminder.h"
#include "tools/ScreenCapture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {
// A clock the soak moves by hand, a week in a few seconds.
class SoakClock : public Clock {
public:
    QDateTime now = QDateTime(QDate(2026, 12, 11), QTime(8, 0));

protected:
    QDateTime currentDateTimeImpl() const override { return now; }
};

void fire(QTimer* timer)
{
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
}

// Closes the modal window the next handler opens, from inside its own loop.
void closeNextModal()
{
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The offscreen plugin's notes on raising windows would bury the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QTemporaryDir dir;
    AppPaths::setProgramFolder(dir.path());
    AppPaths::setWorkingFolder(dir.path());
    auto* clock = new SoakClock;
    Clock::setInstance(clock);
    dm = new Tdm;
    dm->ExecSql(QStringLiteral("insert into alert (dt, knd, title) values (#2026-12-11 09:00:00#, 1, '吃药')"));
    dm->jiepingpath = dir.path() + QLatin1Char('/');

    TfrmMain main;
    main.show();
    app.processEvents();
    QTimer* clockTimer = main.findChild<QTimer*>(QStringLiteral("TimerClock"));
    // Past the start: the start-minimised timer has fired and stopped.
    QEventLoop settle;
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();

    std::printf("timers on while no window is open (the idle program wakes for these):\n");
    int shortest = 0;
    for (QTimer* timer : main.findChildren<QTimer*>()) {
        if (timer->isActive()) {
            std::printf("  %-22s every %d ms\n", qPrintable(timer->objectName()), timer->interval());
            shortest = shortest == 0 ? timer->interval() : std::min(shortest, timer->interval());
        }
    }
    std::printf("  shortest: %d ms (goal: at most once a second)\n", shortest);

    // One day of work: a re-arm every minute, a ring and 闹铃 once a day, the
    // title flashing for a minute, a capture every five minutes, a rest window
    // every hour, and the clock ticking every second.
    const auto day = [&] {
        for (int minute = 0; minute < 24 * 60; ++minute) {
            clock->now = clock->now.addSecs(60);
            main.ArmAlertTimer();
            if (minute % 5 == 0) {
                main.screenCapture->CaptureScreen(0, 0, 640, 400);
                main.screenCapture->waitForWriting();
            }
            if (minute % 60 == 0) {
                closeNextModal();
                fire(main.restReminder->TimerRest);
            }
            for (int second = 0; second < 60; ++second) {
                fire(clockTimer);
            }
        }
        fire(main.alertRinger->TimerAlert);
        for (int tick = 0; tick < 200; ++tick) {
            fire(main.alertRinger->TimerAlertTitle);
        }
        closeNextModal();
        main.btnAlertClick();
        app.processEvents();
    };

    QElapsedTimer elapsed;
    elapsed.start();
    day(); // warm-up: caches, fonts, the first windows
    const double before = memoryMb("VmRSS");
    for (int i = 0; i < 7; ++i) {
        day();
    }
    const double after = memoryMb("VmRSS");
    std::printf("a week of timer work (10 080 arms, 7 rings, 2 016 captures, 168 rest windows, 604 800 clock ticks) "
                "in %.1f s\n",
                double(elapsed.nsecsElapsed()) / 1e9);
    std::printf("VmRSS before %.1f MB, after %.1f MB, growth %.1f MB (goal: none); VmHWM %.1f MB\n", before, after,
                after - before, memoryMb("VmHWM"));
    delete dm;
    dm = nullptr;
    Clock::setInstance(nullptr);
    return 0;
}
