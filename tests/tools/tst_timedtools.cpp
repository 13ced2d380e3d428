// The tools the main window's timers drive: screen capture, the rest window,
// and the shutdown tool whose scripts run the system's commands.
#include "app/TfrmMain.h"
#include "core/data/AppPaths.h"
#include "core/data/Tdm.h"
#include "core/tools/CapturePath.h"
#include "forms/FontMapper.h"
#include "mock/UiFixture.h"
#include "platform/Platform.h"
#include "platform/ScreenGrab.h"
#include "platform/ScriptStarter.h"
#include "platform/linux/TerminalScriptStarter.h"
#include "tools/RestReminder.h"
#include "tools/ScreenCapture.h"
#include "tools/TfrmPcClose.h"
#include "tools/TfrmRest.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSemaphore>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

namespace {
const QDateTime kNow(QDate(2026, 12, 11), QTime(23, 10, 5));

class FakeScreen : public ScreenGrab {
public:
    QImage grab(const QRect& area) override
    {
        areas << area;
        if (refuse) {
            return {};
        }
        QImage image(area.size(), QImage::Format_RGB32);
        image.fill(qRgb(30, 120, 200));
        return image;
    }

    QList<QRect> areas;
    bool refuse = false;
};

class RecordingStarter : public ScriptStarter {
public:
    bool start(const QString& script, bool shown) override
    {
        QFile file(script);
        file.open(QIODevice::ReadOnly);
        started << QStringLiteral("%1|%2").arg(shown ? QStringLiteral("shown") : QStringLiteral("hidden"),
                                               QString::fromUtf8(file.readAll()));
        return true;
    }

    QStringList started;
};

void writeScript(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
} // namespace

class TestTimedTools : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captureWritesTheScreenWhereTheMomentSays();
    void refusedGrabWritesNothing();
    void tickWhileWritingIsSkippedNotQueued();
    void timerCapturesTheWholePrimaryScreen();

    void restWindowCoversAndSaysRest();
    void restLabelWandersAndAlternates();
    void labelPositions_data();
    void labelPositions();
    void restWindowLeavesAfterAMinuteNotOnEsc();
    void restTimerOpensTheRestWindow();

    void shutdownWindowProposesAnHourFromNow();
    void eachButtonWritesAndStartsItsScript_data();
    void eachButtonWritesAndStartsItsScript();
    void unwritableScriptIsSaidAndNothingStarts();
    void scriptsRunTheStandInCommandsAndDeleteThemselves_data();
    void scriptsRunTheStandInCommandsAndDeleteThemselves();

private:
    std::unique_ptr<UiFixture> m_ui;
    FakeScreen* m_screen = nullptr;
    RecordingStarter* m_starter = nullptr;
};

void TestTimedTools::initTestCase()
{
    FontMapper::install();
}

void TestTimedTools::init()
{
    m_ui = std::make_unique<UiFixture>(kNow);
    auto screen = std::make_unique<FakeScreen>();
    m_screen = screen.get();
    Platform::setScreenGrab(std::move(screen));
    auto starter = std::make_unique<RecordingStarter>();
    m_starter = starter.get();
    Platform::setScriptStarter(std::move(starter));
}

void TestTimedTools::cleanup()
{
    Platform::setScreenGrab(nullptr);
    Platform::setScriptStarter(nullptr);
    m_ui.reset();
}

void TestTimedTools::captureWritesTheScreenWhereTheMomentSays()
{
    const QString prefix = m_ui->db.folder() + QStringLiteral("/截屏/");
    QDir().mkdir(prefix);
    dm->jiepingpath = prefix;
    ScreenCapture capture(nullptr);
    capture.CaptureScreen(0, 0, 640, 400);
    capture.waitForWriting();
    QCOMPARE(m_screen->areas, QList<QRect>{QRect(0, 0, 640, 400)});
    const QString file = CapturePath::file(prefix, kNow);
    QVERIFY2(QFileInfo::exists(file), qPrintable(file));
    const QImage saved(file);
    QCOMPARE(saved.size(), QSize(640, 400));
    QVERIFY(qAbs(qBlue(saved.pixel(320, 200)) - 200) < 10);
}

void TestTimedTools::refusedGrabWritesNothing()
{
    dm->jiepingpath = m_ui->db.folder() + QLatin1Char('/');
    m_screen->refuse = true;
    ScreenCapture capture(nullptr);
    capture.CaptureScreen(0, 0, 640, 400);
    QVERIFY(!capture.isWriting());
    QVERIFY(!QFileInfo::exists(m_ui->db.folder() + QStringLiteral("/pic")));
    QVERIFY(MessageBox::shownTexts().isEmpty());
}

void TestTimedTools::tickWhileWritingIsSkippedNotQueued()
{
    dm->jiepingpath = m_ui->db.folder() + QLatin1Char('/');
    // The worker is held busy, so the first capture stays in flight.
    QThreadPool* pool = QThreadPool::globalInstance();
    const int threads = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    QSemaphore release;
    pool->start([&release] { release.acquire(); });
    ScreenCapture capture(nullptr);
    capture.CaptureScreen(0, 0, 100, 100);
    QVERIFY(capture.isWriting());
    capture.CaptureScreen(0, 0, 100, 100);
    capture.CaptureScreen(0, 0, 100, 100);
    QCOMPARE(m_screen->areas.size(), 1);
    release.release();
    capture.waitForWriting();
    pool->setMaxThreadCount(threads);
    QVERIFY(QFileInfo::exists(CapturePath::file(dm->jiepingpath, kNow)));
    // Once written, the next tick captures again.
    capture.CaptureScreen(0, 0, 100, 100);
    capture.waitForWriting();
    QCOMPARE(m_screen->areas.size(), 2);
}

void TestTimedTools::timerCapturesTheWholePrimaryScreen()
{
    dm->jiepingpath = m_ui->db.folder() + QLatin1Char('/');
    ScreenCapture capture(nullptr);
    QMetaObject::invokeMethod(capture.TimerJieping, "timeout", Qt::DirectConnection);
    capture.waitForWriting();
    const QScreen* screen = QGuiApplication::primaryScreen();
    QCOMPARE(m_screen->areas, QList<QRect>{QRect(QPoint(0, 0), screen->geometry().size())});
}

void TestTimedTools::restWindowCoversAndSaysRest()
{
    TfrmRest rest;
    QVERIFY(rest.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(rest.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(rest.palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(rest.cursor().shape(), Qt::CrossCursor);
    QCOMPARE(rest.Label1->text(), QStringLiteral("休息休息。。。"));
    QCOMPARE(rest.Label1->pos(), QPoint(96, 40));
    QCOMPARE(rest.Label1->font().pixelSize(), 48);
    QCOMPARE(rest.Label1->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(rest.clock->text(), QStringLiteral("23:10:05"));
    QCOMPARE(rest.clock->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    QCOMPARE(rest.TimerPos->interval(), 3000);
    QCOMPARE(rest.TimerClose->interval(), 60000);
    rest.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rest));
    QCOMPARE(rest.geometry(), QGuiApplication::primaryScreen()->geometry());
    // The clock stands in the middle.
    QCOMPARE(rest.clock->geometry().center().x() / 4, rest.rect().center().x() / 4);
    QCOMPARE(rest.clock->geometry().center().y() / 4, rest.rect().center().y() / 4);
}

void TestTimedTools::restLabelWandersAndAlternates()
{
    TfrmRest rest;
    rest.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rest));
    const QSize room = rest.size() - rest.Label1->size();
    for (const QString& expected : {QStringLiteral("看看窗外。。。"), QStringLiteral("休息休息。。。")}) {
        QMetaObject::invokeMethod(rest.TimerPos, "timeout", Qt::DirectConnection);
        QCOMPARE(rest.Label1->text(), expected);
        const QPoint at = rest.Label1->pos();
        bool onGrid = false;
        for (int a = 0; a < 10 && !onGrid; ++a) {
            for (int b = 0; b < 10 && !onGrid; ++b) {
                onGrid = at == QPoint(a * room.width() / 10, b * room.height() / 10);
            }
        }
        QVERIFY2(onGrid, qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
    }
}

void TestTimedTools::labelPositions_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("top left") << 0 << 0 << QPoint(0, 0);
    QTest::newRow("last tenths") << 9 << 9 << QPoint(9 * 1000 / 10, 9 * 701 / 10);
    QTest::newRow("multiplied before dividing") << 3 << 7 << QPoint(300, 490);
}

void TestTimedTools::labelPositions()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(QPoint, at);
    QCOMPARE(TfrmRest::labelPosition(a, b, QSize(1280, 800), QSize(280, 99)), at);
}

void TestTimedTools::restWindowLeavesAfterAMinuteNotOnEsc()
{
    TfrmRest rest;
    bool escapeClosed = true;
    QTimer::singleShot(0, &rest, [&] {
        QTest::keyClick(&rest, Qt::Key_Escape);
        escapeClosed = !rest.isVisible();
        QMetaObject::invokeMethod(rest.TimerClose, "timeout", Qt::DirectConnection);
    });
    rest.exec();
    QVERIFY(!escapeClosed);
    QVERIFY(!rest.isVisible());
}

void TestTimedTools::restTimerOpensTheRestWindow()
{
    TfrmMain main;
    main.show();
    QString opened;
    onNextModal([&opened](QWidget* modal) {
        opened = QString::fromLatin1(modal->metaObject()->className());
        modal->close();
    });
    QMetaObject::invokeMethod(main.restReminder->TimerRest, "timeout", Qt::DirectConnection);
    QCOMPARE(opened, QStringLiteral("TfrmRest"));
}

void TestTimedTools::shutdownWindowProposesAnHourFromNow()
{
    TfrmPcClose window;
    QCOMPARE(window.windowTitle(), QStringLiteral("定时关机"));
    QCOMPARE(window.size(), QSize(497, 376));
    QCOMPARE(window.McxComboBox1->count(), 24);
    QCOMPARE(window.McxComboBox2->count(), 60);
    // 23:10 proposes 00:10, past midnight.
    QCOMPARE(window.McxComboBox1->currentText(), QStringLiteral("00"));
    QCOMPARE(window.McxComboBox2->currentText(), QStringLiteral("10"));
    QCOMPARE(window.memExplain->toPlainText().split(QLatin1Char('\n')).size(), 13);
    QVERIFY(window.memExplain->isReadOnly());
}

void TestTimedTools::eachButtonWritesAndStartsItsScript_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("started");
    const QString pause = QStringLiteral("printf '%s' '请按回车键继续. . .'; read answer\n");
    const QString remove = QStringLiteral("rm -f \"$0\"\n");
    QTest::newRow("设置定时关机") << "btnSchedule"
                                  << "shown|#!/bin/sh\nshutdown -h 07:45\nshutdown --show\n" + pause + remove;
    QTest::newRow("查看定时关机") << "btnList"
                                  << "shown|#!/bin/sh\nshutdown --show\n" + pause + remove;
    QTest::newRow("立即关机") << "btnNow"
                              << "hidden|#!/bin/sh\nshutdown -h now\n" + remove;
    QTest::newRow("取消定时关机") << "btnCancel"
                                  << "shown|#!/bin/sh\nshutdown -c\nshutdown --show\n" + pause + remove;
    QTest::newRow("取消正在进行的关机") << "btnAbort"
                                        << "hidden|#!/bin/sh\nshutdown -c\n" + remove;
}

void TestTimedTools::eachButtonWritesAndStartsItsScript()
{
    QFETCH(QString, button);
    QFETCH(QString, started);
    TfrmPcClose window;
    window.McxComboBox1->setCurrentIndex(7);
    window.McxComboBox2->setCurrentIndex(45);
    window.findChild<QPushButton*>(button)->click();
    QCOMPARE(m_starter->started, QStringList{started});
}

void TestTimedTools::unwritableScriptIsSaidAndNothingStarts()
{
    AppPaths::setWorkingFolder(m_ui->db.folder() + QStringLiteral("/missing"));
    TfrmPcClose window;
    window.btnNow->click();
    QCOMPARE(MessageBox::shownTexts().size(), 1);
    QVERIFY(MessageBox::shownTexts().constFirst().startsWith(QStringLiteral("无法写入")));
    QVERIFY(m_starter->started.isEmpty());
}

void TestTimedTools::scriptsRunTheStandInCommandsAndDeleteThemselves_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("calls");
    QTest::addColumn<bool>("inTerminal");
    QTest::newRow("schedule") << "btnSchedule"
                              << "-h 07:45\n--show\n"
                              << true;
    QTest::newRow("list") << "btnList"
                          << "--show\n"
                          << true;
    QTest::newRow("now") << "btnNow"
                         << "-h now\n"
                         << false;
    QTest::newRow("cancel") << "btnCancel"
                            << "-c\n--show\n"
                            << true;
    QTest::newRow("abort") << "btnAbort"
                           << "-c\n"
                           << false;
}

void TestTimedTools::scriptsRunTheStandInCommandsAndDeleteThemselves()
{
    QFETCH(QString, button);
    QFETCH(QString, calls);
    QFETCH(bool, inTerminal);
    // Nobody's machine is shut down: a stand-in shutdown and terminal come
    // first on the search path and write down what they were asked.
    Platform::setScriptStarter(nullptr);
    const QString bin = m_ui->db.folder() + QStringLiteral("/bin");
    QDir().mkdir(bin);
    const QString log = m_ui->db.folder() + QStringLiteral("/calls.log");
    const QString terminalLog = m_ui->db.folder() + QStringLiteral("/terminal.log");
    writeScript(bin + QStringLiteral("/shutdown"), "#!/bin/sh\necho \"$*\" >> '" + log.toUtf8() + "'\n");
    writeScript(bin + QStringLiteral("/x-terminal-emulator"),
                "#!/bin/sh\necho \"$1\" >> '" + terminalLog.toUtf8() + "'\nshift\nexec \"$@\" < /dev/null\n");
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", bin.toUtf8() + ":/usr/bin:/bin");

    TfrmPcClose window;
    window.McxComboBox1->setCurrentIndex(7);
    window.McxComboBox2->setCurrentIndex(45);
    const QString script = AppPaths::workingFile(QStringLiteral("close.sh"));
    window.findChild<QPushButton*>(button)->click();
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(script), 10000);
    qputenv("PATH", oldPath);

    QFile received(log);
    QVERIFY(received.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(received.readAll()), calls);
    QCOMPARE(QFileInfo::exists(terminalLog), inTerminal);
}

QTEST_MAIN(TestTimedTools)
#include "tst_timedtools.moc"
