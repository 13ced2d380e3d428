// The alarm scheduler: arming, ringing, flashing, the 闹铃 button, the wall
// clock after a sleep or a change of the clock, the notification and the sound.
#include "alarms/AlertRinger.h"
#include "core/data/Tdm.h"
#include "mock/MockClock.h"
#include "mock/TestDatabase.h"
#include "platform/DesktopNotifier.h"
#include "platform/SoundPlayer.h"
#include "platform/linux/MediaSoundPlayer.h"

#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <limits>

namespace {
const QDateTime kNow(QDate(2026, 12, 11), QTime(10, 0));
const QString kTitle = QStringLiteral("Pelorin");

class RecordingSound : public SoundPlayer {
public:
    using SoundPlayer::SoundPlayer;

    void play() override { events << QStringLiteral("play"); }

    void stop() override { events << QStringLiteral("stop"); }

    QStringList events;
};

class RecordingNotifier : public DesktopNotifier {
public:
    void notify(const QString& title, const QString& body) override { posted << title + QLatin1Char('|') + body; }

    QStringList posted;
};

QIcon solid(Qt::GlobalColor color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}
} // namespace

class TestAlertRinger : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void emptyTableLeavesTheTimerOff();
    void ringRestoresPlaysFlashesAndNotifies();
    void flashingAlternatesTitleButtonAndTrayIcon();
    void alarmButtonStopsEverythingOpensTheListAndArmsAgain();
    void alarmButtonWhileNothingRingsStillOpensTheList();
    void sleepPastTheAlarmRingsAtTheNextWallClockCheck();
    void clockSetBackKeepsTheAlarmOnTheWallClock();
    void longWaitArmsAgainUntilTheAlarmIsDue();
    void missingSoundFileIsSilent();
    void defaultSoundIsARealMp3();

private:
    void addAlarm(const QString& when, const QString& title);

    std::unique_ptr<TestDatabase> m_db;
    MockClock* m_clock = nullptr;
    std::unique_ptr<QWidget> m_window;
    QPushButton* m_button = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    RecordingSound* m_sound = nullptr;
    RecordingNotifier m_notifier;
    int m_listsOpened = 0;
    std::unique_ptr<AlertRinger> m_ringer;
};

void TestAlertRinger::init()
{
    m_clock = MockClock::install(kNow);
    m_db = std::make_unique<TestDatabase>();
    dm = new Tdm;
    m_window = std::make_unique<QWidget>();
    m_window->setWindowTitle(kTitle);
    m_button = new QPushButton(QStringLiteral("闹铃"), m_window.get());
    m_tray = new QSystemTrayIcon(m_window.get());
    m_sound = new RecordingSound(m_window.get());
    m_notifier.posted.clear();
    m_listsOpened = 0;
    m_ringer = std::make_unique<AlertRinger>(nullptr);
    AlertRinger::Surroundings around;
    around.window = m_window.get();
    around.button = m_button;
    around.tray = m_tray;
    around.trayIcons[0] = solid(Qt::blue);
    around.trayIcons[1] = solid(Qt::red);
    around.sound = m_sound;
    around.notifier = &m_notifier;
    around.programTitle = kTitle;
    around.restore = [this] { m_window->showNormal(); };
    around.openList = [this] { ++m_listsOpened; };
    m_ringer->setSurroundings(std::move(around));
}

void TestAlertRinger::cleanup()
{
    m_ringer.reset();
    m_window.reset();
    delete dm;
    dm = nullptr;
    m_db.reset();
    Clock::setInstance(nullptr);
}

void TestAlertRinger::addAlarm(const QString& when, const QString& title)
{
    dm->ExecSql(QStringLiteral("insert into alert (dt, knd, title) values (#%1#, 0, '%2')").arg(when, title));
}

void TestAlertRinger::emptyTableLeavesTheTimerOff()
{
    m_ringer->ArmAlertTimer();
    QVERIFY(!m_ringer->TimerAlert->isActive());
    m_ringer->checkWallClock();
    QVERIFY(!m_ringer->isRinging());
}

void TestAlertRinger::ringRestoresPlaysFlashesAndNotifies()
{
    addAlarm(QStringLiteral("2026-12-11 10:10:00"), QStringLiteral("吃药"));
    addAlarm(QStringLiteral("2026-12-11 10:05:00"), QStringLiteral("开会"));
    addAlarm(QStringLiteral("2026-12-12 10:00:00"), QStringLiteral("明天的事"));
    m_window->showMinimized();
    m_ringer->ArmAlertTimer();
    QCOMPARE(m_ringer->TimerAlert->interval(), 300000);
    QSignalSpy rings(m_ringer.get(), &AlertRinger::ringing);

    m_clock->advanceSecs(600);
    QMetaObject::invokeMethod(m_ringer->TimerAlert, "timeout", Qt::DirectConnection);

    QCOMPARE(rings.count(), 1);
    QVERIFY(!m_window->isMinimized());
    QVERIFY(!m_ringer->TimerAlert->isActive());
    QVERIFY(m_ringer->TimerAlertTitle->isActive());
    QCOMPARE(m_sound->events, QStringList{QStringLiteral("play")});
    // The due alarms, earliest first; tomorrow's is not in it.
    QCOMPARE(m_notifier.posted, QStringList{QStringLiteral("闹铃|开会\n吃药")});
}

void TestAlertRinger::flashingAlternatesTitleButtonAndTrayIcon()
{
    addAlarm(QStringLiteral("2026-12-11 10:00:30"), QStringLiteral("开会"));
    m_ringer->ArmAlertTimer();
    m_clock->advanceSecs(60);
    QMetaObject::invokeMethod(m_ringer->TimerAlert, "timeout", Qt::DirectConnection);
    const qint64 blue = solid(Qt::blue).pixmap(16).toImage().pixel(0, 0);
    const auto trayColour = [this] { return qint64(m_tray->icon().pixmap(16).toImage().pixel(0, 0)); };

    QMetaObject::invokeMethod(m_ringer->TimerAlertTitle, "timeout", Qt::DirectConnection);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("【\u3000\u3000】Pelorin"));
    QCOMPARE(m_button->text(), QString());
    QCOMPARE(trayColour(), blue);

    QMetaObject::invokeMethod(m_ringer->TimerAlertTitle, "timeout", Qt::DirectConnection);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("【闹铃】Pelorin"));
    QCOMPARE(m_button->text(), QStringLiteral("闹铃"));
    QVERIFY(trayColour() != blue);

    QMetaObject::invokeMethod(m_ringer->TimerAlertTitle, "timeout", Qt::DirectConnection);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("【\u3000\u3000】Pelorin"));
    QCOMPARE(trayColour(), blue);
}

void TestAlertRinger::alarmButtonStopsEverythingOpensTheListAndArmsAgain()
{
    addAlarm(QStringLiteral("2026-12-11 10:00:30"), QStringLiteral("开会"));
    m_ringer->ArmAlertTimer();
    m_clock->advanceSecs(60);
    QMetaObject::invokeMethod(m_ringer->TimerAlert, "timeout", Qt::DirectConnection);
    QMetaObject::invokeMethod(m_ringer->TimerAlertTitle, "timeout", Qt::DirectConnection);

    m_ringer->btnAlertClick();
    QVERIFY(!m_ringer->TimerAlertTitle->isActive());
    QCOMPARE(m_window->windowTitle(), kTitle);
    QCOMPARE(m_button->text(), QStringLiteral("闹铃"));
    QCOMPARE(m_sound->events, (QStringList{QStringLiteral("play"), QStringLiteral("stop")}));
    QCOMPARE(m_listsOpened, 1);
    // Nothing was dismissed: the overdue alarm comes again a minute later.
    QVERIFY(m_ringer->TimerAlert->isActive());
    QCOMPARE(m_ringer->TimerAlert->interval(), 60000);
}

void TestAlertRinger::alarmButtonWhileNothingRingsStillOpensTheList()
{
    addAlarm(QStringLiteral("2026-12-11 12:00:00"), QStringLiteral("午饭"));
    m_ringer->ArmAlertTimer();
    m_ringer->btnAlertClick();
    QCOMPARE(m_listsOpened, 1);
    QVERIFY(m_ringer->TimerAlert->isActive());
    QCOMPARE(m_ringer->TimerAlert->interval(), 7200000);

    // The list emptied the table: the timer stays off.
    dm->ExecSql(QStringLiteral("delete from alert"));
    m_ringer->btnAlertClick();
    QVERIFY(!m_ringer->TimerAlert->isActive());
}

void TestAlertRinger::sleepPastTheAlarmRingsAtTheNextWallClockCheck()
{
    addAlarm(QStringLiteral("2026-12-11 10:10:00"), QStringLiteral("接孩子"));
    m_ringer->ArmAlertTimer();
    QSignalSpy rings(m_ringer.get(), &AlertRinger::ringing);
    // Before the time, a check changes nothing.
    m_clock->advanceSecs(30);
    m_ringer->checkWallClock();
    QCOMPARE(rings.count(), 0);
    // The computer slept three hours: the elapsed-time timer has barely moved.
    m_clock->advanceSecs(3 * 3600);
    QVERIFY(m_ringer->TimerAlert->remainingTime() > 500000);
    m_ringer->checkWallClock();
    QCOMPARE(rings.count(), 1);
    QVERIFY(m_ringer->isRinging());
}

void TestAlertRinger::clockSetBackKeepsTheAlarmOnTheWallClock()
{
    addAlarm(QStringLiteral("2026-12-11 10:10:00"), QStringLiteral("接孩子"));
    m_ringer->ArmAlertTimer();
    m_clock->setNow(kNow.addSecs(-3600));
    m_ringer->checkWallClock();
    QVERIFY(m_ringer->TimerAlert->isActive());
    QVERIFY(qAbs(m_ringer->TimerAlert->remainingTime() - 4200000) < 2000);
    QVERIFY(!m_ringer->isRinging());
}

void TestAlertRinger::longWaitArmsAgainUntilTheAlarmIsDue()
{
    addAlarm(QStringLiteral("2027-02-01 08:00:00"), QStringLiteral("续保"));
    m_ringer->ArmAlertTimer();
    QCOMPARE(m_ringer->TimerAlert->interval(), std::numeric_limits<int>::max());
    QSignalSpy rings(m_ringer.get(), &AlertRinger::ringing);
    m_clock->setNow(kNow.addMSecs(std::numeric_limits<int>::max()));
    QMetaObject::invokeMethod(m_ringer->TimerAlert, "timeout", Qt::DirectConnection);
    QCOMPARE(rings.count(), 0);
    QVERIFY(m_ringer->TimerAlert->isActive());
    // A wall-clock check on the way does not ring early either.
    m_ringer->checkWallClock();
    QCOMPARE(rings.count(), 0);
    m_clock->setNow(QDateTime(QDate(2027, 2, 1), QTime(8, 0)));
    m_ringer->checkWallClock();
    QCOMPARE(rings.count(), 1);
}

void TestAlertRinger::missingSoundFileIsSilent()
{
    MediaSoundPlayer player;
    player.setFileName(m_db->folder() + QStringLiteral("/alert.mp3"));
    player.play(); // nothing there: no sound, no message, no exception
    player.stop();
    QVERIFY(!QFileInfo::exists(player.fileName()));
}

void TestAlertRinger::defaultSoundIsARealMp3()
{
#ifndef PELORIN_DEFAULT_SOUND
    QSKIP("lame was not found when the program was built");
#else
    const QString lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
    if (lame.isEmpty()) {
        QSKIP("no lame to decode with");
    }
    const QString wav = m_db->folder() + QStringLiteral("/decoded.wav");
    QProcess decoder;
    decoder.start(lame,
                  {QStringLiteral("--quiet"), QStringLiteral("--decode"), QStringLiteral(PELORIN_DEFAULT_SOUND), wav});
    QVERIFY(decoder.waitForFinished(30000));
    QCOMPARE(decoder.exitCode(), 0);
    // Mono 16-bit at 44.1 kHz: a chime of about two and a half seconds.
    const qint64 seconds = (QFileInfo(wav).size() - 44) / (44100 * 2);
    QVERIFY2(seconds >= 2 && seconds <= 3, qPrintable(QString::number(seconds)));
#endif
}

QTEST_MAIN(TestAlertRinger)
#include "tst_alertringer.moc"
