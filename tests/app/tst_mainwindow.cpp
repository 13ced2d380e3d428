#include "alarms/AlertRinger.h"
#include "app/PelApplication.h"
#include "app/StartMinimiser.h"
#include "app/TfrmMain.h"
#include "core/data/DbError.h"
#include "core/data/SysParams.h"
#include "core/data/Tdm.h"
#include "forms/BalloonHints.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "forms/WebView.h"
#include "mock/UiFixture.h"
#include "platform/SoundPlayer.h"
#include "platform/UrlOpener.h"
#include "platform/linux/TerminationWatcher.h"
#include "tools/RestReminder.h"
#include "tools/ScreenCapture.h"

#include <QAction>
#include <QCheckBox>
#include <QFontInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <limits>
#include <optional>

namespace {
const QDateTime kNow(QDate(2026, 12, 11), QTime(10, 0, 0, 250));
}

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void freshStartShowsEverything();
    void secondStartKeepsNormalColours();
    void homePageCarriesQqAndVersion();
    void optionBoxesFollowTheirRows_data();
    void optionBoxesFollowTheirRows();
    void optionBoxesWriteAtOnce();
    void balloonHintsFollowTheOption();
    void windowsFontsRenderInCjkFaces_data();
    void windowsFontsRenderInCjkFaces();
    void buttonBarControlsDoNotOverlap();
    void linkBarShowsTheLinkPageAndOpensLinksOutside();
    void failedDatabaseSkipsTheRestOfTheSequence();
    void escapingExceptionIsReportedAndTheProgramGoesOn();
    void exitAsksFirst();
    void sessionEndClosesWithoutAsking();
    void restTimer_data();
    void restTimer();
    void captureTimer_data();
    void captureTimer();
    void alertTimer_data();
    void alertTimer();
    void startMinimisedAfterStart();
    void longAlarmWaitArmsAgainInsteadOfRinging();
    void restTimerPerformsTheRestMenuItem();

private:
    TfrmMain* showMain();
    void setSys(const QString& name, const QString& value);
    QString sys(const QString& name);

    std::optional<UiFixture> m_ui;
    std::unique_ptr<TfrmMain> m_main;
};

void TestMainWindow::initTestCase()
{
    FontMapper::install();
    BalloonHints::install();
}

void TestMainWindow::init()
{
    UrlOpener::setRecording(true);
    // The database is opened by each test, some after spoiling its file.
    m_ui.emplace(kNow, UiFixture::Data::Later);
}

void TestMainWindow::cleanup()
{
    m_main.reset();
    m_ui.reset();
}

TfrmMain* TestMainWindow::showMain()
{
    m_ui->startDm();
    m_main = std::make_unique<TfrmMain>();
    m_main->show();
    return m_main.get();
}

void TestMainWindow::setSys(const QString& name, const QString& value)
{
    m_ui->startDm().ExecSql(QStringLiteral("update sysparam set val = '%1' where param = '%2'").arg(value, name));
}

QString TestMainWindow::sys(const QString& name)
{
    return dm->SelectValue(QStringLiteral("select val from sysparam where param = '%1'").arg(name),
                           QStringLiteral("val"));
}

void TestMainWindow::freshStartShowsEverything()
{
    TfrmMain* main = showMain();
    QCOMPARE(main->statusText(0), QStringLiteral("Pelorin 1.1"));
    QCOMPARE(main->statusText(1), QStringLiteral("Pelorin祝你生活愉快！"));
    QCOMPARE(main->WebBrowser1->url().toString(), QStringLiteral("pel://pelorin/pel/main/?qq=&v=1.1"));
    QVERIFY(!main->WebBrowser1->showsErrorPage());
    const QString home = main->WebBrowser1->toPlainText();
    QVERIFY2(home.contains(QStringLiteral("2026年12月11日")) && home.contains(QStringLiteral("1.1")), qPrintable(home));
    QCOMPARE(main->WebBrowser2->url(), QUrl::fromLocalFile(m_ui->db.folder() + QStringLiteral("/my.htm")));
    QCOMPARE(main->MediaPlayer1->fileName(), m_ui->db.folder() + QStringLiteral("/alert.mp3"));
    QCOMPARE(main->RzTrayIcon1->toolTip(), QStringLiteral("Pelorin"));
    QCOMPARE(main->RzClockStatus1->text(), QStringLiteral("12-11 10:00:00"));

    // First start: the marker is set and the autostart box is drawn in red.
    QVERIFY(main->firstStart());
    QCOMPARE(sys(QStringLiteral("useflag")), QStringLiteral("1"));
    QCOMPARE(sys(QStringLiteral("userno")), QStringLiteral("20261211100000250"));
    QVERIFY(main->cbAutoStart->autoFillBackground());
    QCOMPARE(main->cbAutoStart->palette().color(QPalette::Window), QColor(Qt::red));
    QCOMPARE(main->cbAutoStart->palette().color(QPalette::WindowText), QColor(Qt::white));

    // The settings of a new database.
    QVERIFY(main->cbShowhint->isChecked());
    QVERIFY(main->cbMyUrl->isChecked());
    QVERIFY(!main->cbMin->isChecked());
    QVERIFY(!main->cbStartmin->isChecked());
    QCOMPARE(main->WebBrowser2->height(), 60);
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestMainWindow::secondStartKeepsNormalColours()
{
    setSys(QStringLiteral("useflag"), QStringLiteral("1"));
    TfrmMain* main = showMain();
    QVERIFY(!main->firstStart());
    QVERIFY(!main->cbAutoStart->autoFillBackground());
    QVERIFY(main->cbAutoStart->palette().color(QPalette::Window) != QColor(Qt::red));
    QCOMPARE(sys(QStringLiteral("userno")), QString());
}

void TestMainWindow::homePageCarriesQqAndVersion()
{
    setSys(QStringLiteral("qq"), QStringLiteral("12345"));
    TfrmMain* main = showMain();
    QCOMPARE(main->WebBrowser1->url().toString(), QStringLiteral("pel://pelorin/pel/main/?qq=12345&v=1.1"));
    QVERIFY(main->WebBrowser1->toPlainText().contains(QStringLiteral("12345")));
}

void TestMainWindow::optionBoxesFollowTheirRows_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("on");
    QTest::newRow("Y") << "Y" << true;
    QTest::newRow("N") << "N" << false;
    QTest::newRow("lower-case y") << "y" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("Y with a space") << "Y " << false;
}

void TestMainWindow::optionBoxesFollowTheirRows()
{
    QFETCH(QString, value);
    QFETCH(bool, on);
    for (const char* row : {"hideonmin", "showhint", "startmin", "myurl"}) {
        setSys(QString::fromLatin1(row), value);
    }
    TfrmMain* main = showMain();
    QCOMPARE(main->cbMin->isChecked(), on);
    QCOMPARE(main->cbShowhint->isChecked(), on);
    QCOMPARE(main->cbStartmin->isChecked(), on);
    QCOMPARE(main->cbMyUrl->isChecked(), on);
    QCOMPARE(main->WebBrowser2->height(), on ? 60 : 0);
    QCOMPARE(BalloonHints::isHintShown(main->btnAlert), on);
    // Reading a row never writes it back changed.
    QCOMPARE(sys(QStringLiteral("showhint")), value);
}

void TestMainWindow::optionBoxesWriteAtOnce()
{
    TfrmMain* main = showMain();
    main->cbShowhint->click();
    QCOMPARE(sys(QStringLiteral("showhint")), QStringLiteral("N"));
    QVERIFY(!BalloonHints::isHintShown(main->btnQuick));
    main->cbShowhint->click();
    QCOMPARE(sys(QStringLiteral("showhint")), QStringLiteral("Y"));
    QVERIFY(BalloonHints::isHintShown(main->btnQuick));

    main->cbMyUrl->click();
    QCOMPARE(sys(QStringLiteral("myurl")), QStringLiteral("N"));
    QCOMPARE(main->WebBrowser2->height(), 0);
    main->cbMyUrl->click();
    QCOMPARE(sys(QStringLiteral("myurl")), QStringLiteral("Y"));
    QCOMPARE(main->WebBrowser2->height(), 60);

    main->cbStartmin->click();
    QCOMPARE(sys(QStringLiteral("startmin")), QStringLiteral("Y"));
    main->cbMin->click();
    QCOMPARE(sys(QStringLiteral("hideonmin")), QStringLiteral("Y"));
}

void TestMainWindow::balloonHintsFollowTheOption()
{
    TfrmMain* main = showMain();
    auto* button = main->findChild<QPushButton*>(QStringLiteral("McxButton7"));
    QVERIFY(button);
    QCOMPARE(button->toolTip(), QStringLiteral("退出Pelorin。"));
    auto* balloon = qApp->findChild<BalloonHints*>();
    QVERIFY(balloon);
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button, &hover);
    QVERIFY(balloon->balloon()->isVisible());
    QCOMPARE(balloon->balloon()->text(), QStringLiteral("退出Pelorin。"));
    QCOMPARE(balloon->balloon()->width(), 300);
    QCOMPARE(balloon->balloon()->font().pixelSize(), 19);
    QVERIFY(balloon->balloon()->font().bold());

    main->cbShowhint->click();
    QHelpEvent again(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button, &again);
    QVERIFY(!balloon->balloon()->isVisible());
}

void TestMainWindow::windowsFontsRenderInCjkFaces_data()
{
    QTest::addColumn<QString>("windowsName");
    QTest::addColumn<QString>("installedFace");
    QTest::newRow("宋体") << "宋体"
                          << "AR PL UMing";
    QTest::newRow("SimSun") << "SimSun"
                            << "AR PL UMing";
    QTest::newRow("楷体_GB2312") << "楷体_GB2312"
                                 << "AR PL UKai";
    QTest::newRow("华文行楷") << "华文行楷"
                              << "AR PL UKai";
    QTest::newRow("隶书") << "隶书"
                          << "Noto Serif CJK";
}

void TestMainWindow::windowsFontsRenderInCjkFaces()
{
    QFETCH(QString, windowsName);
    QFETCH(QString, installedFace);
    const QFontInfo info(FontMapper::font(windowsName, 16));
    QVERIFY2(info.family().startsWith(installedFace), qPrintable(info.family()));
}

void TestMainWindow::buttonBarControlsDoNotOverlap()
{
    TfrmMain* main = showMain();
    QList<QWidget*> controls;
    for (QWidget* child : main->pnlMenu->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        controls << child;
        QVERIFY2(main->pnlMenu->rect().contains(child->geometry()), qPrintable(child->objectName()));
        QVERIFY2(!child->toolTip().isEmpty(), qPrintable(child->objectName()));
        QCOMPARE(child->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(controls.size(), 20);
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            // 显示我的网址 reaches one pixel into 网址设置, as it always has.
            QVERIFY2(controls[i]->geometry().intersected(controls[j]->geometry()).width() <= 1,
                     qPrintable(controls[i]->objectName() + QLatin1Char(' ') + controls[j]->objectName()));
        }
    }
    // 退出 stands out from the other buttons.
    QCOMPARE(main->McxButton7->font().pixelSize(), 20);
    QCOMPARE(main->McxButton7->palette().color(QPalette::ButtonText), QColor(Qt::blue));
}

void TestMainWindow::linkBarShowsTheLinkPageAndOpensLinksOutside()
{
    QFile page(m_ui->db.folder() + QStringLiteral("/my.htm"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    // An older link page in GBK: "百度".
    page.write("<html><body><a href=\"https://www.example.org/\">\xB0\xD9\xB6\xC8</a></body></html>");
    page.close();
    TfrmMain* main = showMain();
    QVERIFY(!main->WebBrowser2->showsErrorPage());
    QCOMPARE(main->WebBrowser2->toPlainText().trimmed(), QStringLiteral("百度"));
    Q_EMIT main->WebBrowser2->anchorClicked(QUrl(QStringLiteral("https://www.example.org/")));
    QCOMPARE(UrlOpener::opened(), QList<QUrl>{QUrl(QStringLiteral("https://www.example.org/"))});
    QCOMPARE(main->WebBrowser2->url(), QUrl::fromLocalFile(m_ui->db.folder() + QStringLiteral("/my.htm")));
}

void TestMainWindow::failedDatabaseSkipsTheRestOfTheSequence()
{
    QFile foreign(m_ui->db.path());
    QVERIFY(foreign.open(QIODevice::WriteOnly));
    foreign.write("not a database");
    foreign.close();
    m_ui->startDm();
    QVERIFY(!dm->creationError().isEmpty());
    TfrmMain* main = showMain();
    QVERIFY(main->isVisible());
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().kind, MessageBox::Error);
    QVERIFY(MessageBox::shown().first().text.contains(QStringLiteral("pel.dll")));
    QCOMPARE(main->statusText(0), QString());
    QCOMPARE(main->WebBrowser1->url(), QUrl());
    QVERIFY(!main->cbShowhint->isChecked());
}

void TestMainWindow::escapingExceptionIsReportedAndTheProgramGoesOn()
{
    QPushButton button(QStringLiteral("坏按钮"));
    int clicks = 0;
    connect(&button, &QPushButton::clicked, this, [&clicks] {
        ++clicks;
        throw DbError(QStringLiteral("“金额”不能保存为“abc”：不是有效的金额。"));
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("“金额”不能保存为“abc”：不是有效的金额。")});
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
    QCOMPARE(MessageBox::shown().size(), 2);
}

void TestMainWindow::exitAsksFirst()
{
    TfrmMain* main = showMain();
    MessageBox::setNextAnswer(MessageBox::No);
    main->McxButton7->click();
    QCOMPARE(MessageBox::shownTexts(),
             QStringList{QStringLiteral("退出Pelorin后护眼、闹铃、截屏等功能都将失效，确定继续退出吗？")});
    QVERIFY(main->isVisible());
    QVERIFY(!main->exitConfirmed());

    MessageBox::setNextAnswer(MessageBox::Yes);
    main->McxButton7->click();
    QVERIFY(main->exitConfirmed());
    QVERIFY(!main->isVisible());
}

void TestMainWindow::sessionEndClosesWithoutAsking()
{
    TfrmMain* main = showMain();
    TerminationWatcher watcher;
    connect(&watcher, &SessionEnd::ending, main, &TfrmMain::endSession);
    ::raise(SIGTERM);
    QTRY_VERIFY(!main->isVisible());
    QVERIFY(main->exitConfirmed());
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestMainWindow::restTimer_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("active");
    QTest::addColumn<int>("interval");
    QTest::newRow("default") << "60" << true << 3600000;
    QTest::newRow("five minutes") << "5" << true << 300000;
    QTest::newRow("empty") << "" << true << 3600000;
    QTest::newRow("letters") << "abc" << true << 3600000;
    QTest::newRow("zero switches off") << "0" << false << 3600000;
    QTest::newRow("negative") << "-3" << false << 3600000;
}

void TestMainWindow::restTimer()
{
    QFETCH(QString, value);
    QFETCH(bool, active);
    QFETCH(int, interval);
    m_ui->startDm().ExecSql(QStringLiteral("update param set val = '%1' where param = 'huyanshijian'").arg(value));
    TfrmMain* main = showMain();
    QCOMPARE(main->restReminder->TimerRest->isActive(), active);
    QCOMPARE(main->restReminder->TimerRest->interval(), interval);
}

void TestMainWindow::captureTimer_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("active");
    QTest::addColumn<int>("interval");
    QTest::newRow("thirty seconds") << "30" << true << 30000;
    QTest::newRow("off") << "0" << false << 60000;
    QTest::newRow("negative") << "-1" << false << 60000;
    QTest::newRow("letters") << "abc" << false << 60000;
}

void TestMainWindow::captureTimer()
{
    QFETCH(QString, value);
    QFETCH(bool, active);
    QFETCH(int, interval);
    m_ui->startDm().ExecSql(QStringLiteral("update param set val = '%1' where param = 'jiepingpinlv'").arg(value));
    dm->LoadParams();
    TfrmMain* main = showMain();
    QCOMPARE(main->screenCapture->TimerJieping->isActive(), active);
    if (active) {
        QCOMPARE(main->screenCapture->TimerJieping->interval(), interval);
    }
}

void TestMainWindow::alertTimer_data()
{
    QTest::addColumn<QStringList>("alarms");
    QTest::addColumn<bool>("active");
    QTest::addColumn<int>("interval");
    QTest::newRow("no alarm") << QStringList{} << false << 0;
    QTest::newRow("in ten minutes") << QStringList{"2026-12-11 10:10:00.250", "2026-12-12 08:00"} << true << 600000;
    QTest::newRow("overdue rings after a minute")
        << QStringList{"2026-12-01 08:00", "2026-12-12 08:00"} << true << 60000;
    QTest::newRow("in thirty seconds") << QStringList{"2026-12-11 10:00:30"} << true << 60000;
    QTest::newRow("half second rounds to even") << QStringList{"2026-12-11 10:01:30.750"} << true << 90000;
    QTest::newRow("odd half rounds up") << QStringList{"2026-12-11 10:01:31.750"} << true << 92000;
}

void TestMainWindow::alertTimer()
{
    QFETCH(QStringList, alarms);
    QFETCH(bool, active);
    QFETCH(int, interval);
    for (const QString& when : alarms) {
        m_ui->insertRow(QStringLiteral("alert"), {{"dt", when}, {"title", "提醒"}});
    }
    TfrmMain* main = showMain();
    QCOMPARE(main->alertRinger->TimerAlert->isActive(), active);
    if (active) {
        QCOMPARE(main->alertRinger->TimerAlert->interval(), interval);
    }
}

void TestMainWindow::startMinimisedAfterStart()
{
    setSys(QStringLiteral("startmin"), QStringLiteral("Y"));
    TfrmMain* main = showMain();
    QVERIFY(!main->isMinimized());
    QTRY_VERIFY(main->isMinimized());
    QVERIFY(!main->startMinimiser->TimerMinApp->isActive());
}

int main(int argc, char** argv)
{
    PelApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

void TestMainWindow::longAlarmWaitArmsAgainInsteadOfRinging()
{
    m_ui->startDm().ExecSql(QStringLiteral("insert into alert (dt, title) values (#2027-01-20 08:00:00#, '年会')"));
    TfrmMain* main = showMain();
    QTimer* timer = main->alertRinger->TimerAlert;
    QCOMPARE(timer->interval(), std::numeric_limits<int>::max());
    QSignalSpy rings(main->alertRinger, &AlertRinger::ringing);

    // The cut wait has passed; the alarm is still days away.
    MockClock* clock = MockClock::install(kNow.addMSecs(std::numeric_limits<int>::max()));
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    QCOMPARE(rings.count(), 0);
    QVERIFY(timer->isActive());
    const qint64 left = clock->now().secsTo(QDateTime(QDate(2027, 1, 20), QTime(8, 0)));
    QVERIFY(qAbs(timer->interval() / 1000 - left) <= 1);

    // The armed wait now fits the timer: its firing rings.
    clock->setNow(QDateTime(QDate(2027, 1, 20), QTime(8, 0)));
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    QCOMPARE(rings.count(), 1);
    QVERIFY(!timer->isActive());
}

void TestMainWindow::restTimerPerformsTheRestMenuItem()
{
    TfrmMain* main = showMain();
    auto* restItem = main->findChild<QAction*>(QStringLiteral("mmiRest"));
    QVERIFY(restItem);
    QSignalSpy performed(restItem, &QAction::triggered);
    // The item opens the rest window, which would otherwise stay its minute.
    QString opened;
    onNextModal([&opened](QWidget* modal) {
        opened = QString::fromLatin1(modal->metaObject()->className());
        modal->close();
    });
    QMetaObject::invokeMethod(main->restReminder->TimerRest, "timeout", Qt::DirectConnection);
    QCOMPARE(performed.count(), 1);
    QCOMPARE(opened, QStringLiteral("TfrmRest"));
}

#include "tst_mainwindow.moc"
