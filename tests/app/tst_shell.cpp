#include "app/PelApplication.h"
#include "app/TfrmMain.h"
#include "app/TfrmPwdChange.h"
#include "core/data/Tdm.h"
#include "forms/MessageBox.h"
#include "forms/TMcxTextEdit.h"
#include "mock/UiFixture.h"
#include "platform/Platform.h"
#include "platform/linux/DesktopEntry.h"
#include "platform/linux/LinuxProgramLauncher.h"
#include "platform/linux/TerminationWatcher.h"
#include "platform/linux/XdgAutoStart.h"
#include "platform/linux/XdgDesktopShortcut.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <csignal>
#include <optional>

// The resident shell: autostart, desktop launcher, minimising instead of
// closing, the confirmed exit, the login lock and password, the menu 更多.
class TestShell : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void autostartRoundTrip();
    void movedProgramLeavesTheEntryAndTheBoxUnticked();
    void unwritableAutostartFolderIsReported();
    void desktopLauncherContent();
    void execArgumentsAreQuoted_data();
    void execArgumentsAreQuoted();
    void closeAsksUnlessAutostart_data();
    void closeAsksUnlessAutostart();
    void exitMakesTheLauncherOncePerRun();
    void minimiseGoesToTheTrayOrTheTaskbar_data();
    void minimiseGoesToTheTrayOrTheTaskbar();
    void trayFollowsTheNotificationArea();
    void trayLossLeavesAWindowThatIsNotHidden();
    void sessionEndDismissesOpenWindows();
    void loginLock();
    void passwordWindow_data();
    void passwordWindow();
    void logoutRereadsTheStoredPassword();
    void menuStartsProgramsAndTools();
    void counterpartsFoundOnPath_data();
    void counterpartsFoundOnPath();

private:
    TfrmMain* showMain();
    QString sys(const QString& name);

    QString home(const QString& path) const;

    std::optional<UiFixture> m_ui;
    std::unique_ptr<TfrmMain> m_main;
};

void TestShell::init()
{
    m_ui.emplace(QDateTime(QDate(2026, 12, 11), QTime(8, 0)));
}

void TestShell::cleanup()
{
    m_main.reset();
    m_ui.reset();
}

// A place in the test's own folder, where the fake platform keeps the autostart entry.
QString TestShell::home(const QString& path) const
{
    return m_ui->db.folder() + QLatin1Char('/') + path;
}

TfrmMain* TestShell::showMain()
{
    m_main = std::make_unique<TfrmMain>();
    m_main->show();
    return m_main.get();
}

QString TestShell::sys(const QString& name)
{
    return dm->SelectValue(QStringLiteral("select val from sysparam where param = '%1'").arg(name),
                           QStringLiteral("val"));
}

void TestShell::autostartRoundTrip()
{
    const QString entry = home(QStringLiteral("autostart/PEL.desktop"));
    TfrmMain* main = showMain();
    QVERIFY(!main->cbAutoStart->isChecked());
    main->cbAutoStart->click();
    QVERIFY(QFile::exists(entry));
    QCOMPARE(DesktopEntry::readValue(entry, QStringLiteral("Exec")).value(),
             QLatin1Char('"') + QCoreApplication::applicationFilePath() + QLatin1Char('"'));

    // The next start finds the entry and ticks the box.
    m_main.reset();
    main = showMain();
    QVERIFY(main->cbAutoStart->isChecked());
    main->cbAutoStart->click();
    QVERIFY(!QFile::exists(entry));
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestShell::movedProgramLeavesTheEntryAndTheBoxUnticked()
{
    XdgAutoStart(home(QStringLiteral("autostart"))).enable(QStringLiteral("/old/place/pelorin"));
    TfrmMain* main = showMain();
    QVERIFY(!main->cbAutoStart->isChecked());
    QVERIFY(QFile::exists(home(QStringLiteral("autostart/PEL.desktop"))));
}

void TestShell::unwritableAutostartFolderIsReported()
{
    QFile blocker(home(QStringLiteral("blocked")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Platform::setAutoStart(std::make_unique<XdgAutoStart>(home(QStringLiteral("blocked/autostart"))));
    TfrmMain* main = showMain();
    // Through the event loop, as a user's click comes, so the general error report catches it.
    QTest::mouseClick(main->cbAutoStart, Qt::LeftButton, {}, QPoint(8, main->cbAutoStart->height() / 2));
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().kind, MessageBox::Error);
    QVERIFY(MessageBox::shownTexts().first().contains(QStringLiteral("PEL.desktop")));
    QVERIFY(main->cbAutoStart->isChecked());
}

void TestShell::desktopLauncherContent()
{
    const QString desktop = home(QStringLiteral("桌面"));
    XdgDesktopShortcut shortcut(desktop);
    const QString exe = QStringLiteral("/opt/My Apps/Pelorin \"家\"/pelorin");
    QVERIFY(shortcut.make(QStringLiteral("Pelorin"), exe, QStringLiteral("/opt/My Apps/Pelorin \"家\"")));
    const QString path = desktop + QStringLiteral("/Pelorin.desktop");
    QVERIFY(QFileInfo(path).isExecutable());
    QCOMPARE(DesktopEntry::readValue(path, QStringLiteral("Name")).value(), QStringLiteral("Pelorin"));
    QCOMPARE(DesktopEntry::readValue(path, QStringLiteral("Exec")).value(),
             QStringLiteral("\"/opt/My Apps/Pelorin \\\"家\\\"/pelorin\""));
    QCOMPARE(DesktopEntry::readValue(path, QStringLiteral("Path")).value(),
             QStringLiteral("/opt/My Apps/Pelorin \"家\""));
    QCOMPARE(DesktopEntry::readValue(path, QStringLiteral("Type")).value(), QStringLiteral("Application"));
    // An existing launcher is replaced.
    QVERIFY(shortcut.make(QStringLiteral("Pelorin"), QStringLiteral("/usr/bin/pelorin"), QStringLiteral("/usr/bin")));
    QCOMPARE(DesktopEntry::readValue(path, QStringLiteral("Exec")).value(), QStringLiteral("\"/usr/bin/pelorin\""));
}

void TestShell::execArgumentsAreQuoted_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("plain") << "/usr/bin/pelorin"
                           << "\"/usr/bin/pelorin\"";
    QTest::newRow("spaces and chinese") << "/home/用户/My Apps/pelorin"
                                        << "\"/home/用户/My Apps/pelorin\"";
    QTest::newRow("shell characters") << "/a/$HOME/`x`/\"q\"/b\\c"
                                      << "\"/a/\\$HOME/\\`x\\`/\\\"q\\\"/b\\\\c\"";
}

void TestShell::execArgumentsAreQuoted()
{
    QFETCH(QString, path);
    QFETCH(QString, quoted);
    QCOMPARE(DesktopEntry::quoteArgument(path), quoted);
    // Written and read back through the file, the value survives.
    XdgAutoStart autostart(home(QStringLiteral("a")));
    autostart.enable(path);
    QVERIFY(autostart.isEnabledFor(path));
    QVERIFY(!autostart.isEnabledFor(path + QLatin1Char('x')));
}

void TestShell::closeAsksUnlessAutostart_data()
{
    QTest::addColumn<bool>("autostart");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("minimised");
    QTest::newRow("autostart ticked") << true << int(MessageBox::No) << false << true;
    QTest::newRow("answered yes") << false << int(MessageBox::Yes) << true << true;
    QTest::newRow("answered no") << false << int(MessageBox::No) << true << false;
}

void TestShell::closeAsksUnlessAutostart()
{
    QFETCH(bool, autostart);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, minimised);
    TfrmMain* main = showMain();
    if (autostart) {
        main->cbAutoStart->click();
    }
    if (asked) {
        MessageBox::setNextAnswer(MessageBox::Button(answer));
    }
    QVERIFY(!main->close());
    QCOMPARE(MessageBox::shownTexts(),
             asked ? QStringList{QStringLiteral("Pelorin将最小化到右下角托盘！是否继续？")} : QStringList{});
    QCOMPARE(main->isMinimized(), minimised);
    QVERIFY(main->isVisible());
    QVERIFY(!main->exitConfirmed());
}

void TestShell::exitMakesTheLauncherOncePerRun()
{
    TfrmMain* main = showMain();
    MessageBox::setNextAnswer(MessageBox::No);
    main->McxButton7->click();
    QCOMPARE(m_ui->platform.shortcut->made, QStringList{});
    MessageBox::setNextAnswer(MessageBox::Yes);
    main->McxButton7->click();
    const QString expected =
        QStringLiteral("Pelorin|") + QCoreApplication::applicationFilePath() + QLatin1Char('|') + m_ui->db.folder();
    QCOMPARE(m_ui->platform.shortcut->made, QStringList{expected});
    QVERIFY(!main->isVisible());

    // Made by the button earlier in the run: the exit does not make it again.
    m_main.reset();
    m_ui->platform.shortcut->made.clear();
    main = showMain();
    main->btnQuick->click();
    QVERIFY(!main->btnQuick->isEnabled());
    MessageBox::setNextAnswer(MessageBox::Yes);
    main->McxButton7->click();
    QCOMPARE(m_ui->platform.shortcut->made, QStringList{expected});
}

void TestShell::minimiseGoesToTheTrayOrTheTaskbar_data()
{
    QTest::addColumn<bool>("hideOnMin");
    QTest::addColumn<bool>("notificationArea");
    QTest::addColumn<bool>("inTray");
    QTest::newRow("tray wanted and offered") << true << true << true;
    QTest::newRow("tray wanted, no notification area") << true << false << false;
    QTest::newRow("taskbar wanted, tray offered") << false << true << false;
    QTest::newRow("taskbar wanted, no notification area") << false << false << false;
}

void TestShell::minimiseGoesToTheTrayOrTheTaskbar()
{
    QFETCH(bool, hideOnMin);
    QFETCH(bool, notificationArea);
    QFETCH(bool, inTray);
    m_ui->platform.notificationArea = notificationArea;
    TfrmMain* main = showMain();
    if (hideOnMin) {
        main->cbMin->click();
    }
    QCOMPARE(sys(QStringLiteral("hideonmin")), hideOnMin ? QStringLiteral("Y") : QStringLiteral("N"));
    QCOMPARE(main->RzTrayIcon1->isVisible(), inTray);

    main->minimizeApp();
    // In the tray the window leaves the taskbar; on the taskbar it stays there, minimised.
    QCOMPARE(main->isVisible(), !inTray);
    QCOMPARE(main->isMinimized(), !inTray);

    main->N1->trigger();
    QVERIFY(main->isVisible());
    QVERIFY(!main->isMinimized());

    // Minimised by the window's own button: the same place.
    main->showMinimized();
    QTRY_COMPARE(main->isVisible(), !inTray);
    main->N1->trigger();
    QVERIFY(main->isVisible());
    QVERIFY(!main->isMinimized());
}

void TestShell::trayFollowsTheNotificationArea()
{
    m_ui->platform.notificationArea = true;
    TfrmMain* main = showMain();
    main->cbMin->click();
    main->minimizeApp();
    QVERIFY(!main->isVisible());

    // The panel restarts: the window must not stay out of reach.
    m_ui->platform.notificationArea = false;
    QTRY_VERIFY(main->isVisible());
    QVERIFY(main->isMinimized());
    QVERIFY(!main->RzTrayIcon1->isVisible());

    // The panel is back: the icon returns, and minimising hides in it again.
    m_ui->platform.notificationArea = true;
    QTRY_VERIFY(main->RzTrayIcon1->isVisible());
    main->N1->trigger();
    QVERIFY(main->isVisible());
    main->minimizeApp();
    QVERIFY(!main->isVisible());
    QCOMPARE(sys(QStringLiteral("hideonmin")), QStringLiteral("Y"));
}

void TestShell::trayLossLeavesAWindowThatIsNotHidden()
{
    m_ui->platform.notificationArea = true;
    TfrmMain* main = showMain();
    main->cbMin->click();
    m_ui->platform.notificationArea = false;
    QTRY_VERIFY(!main->RzTrayIcon1->isVisible());
    // A window on screen stays as it is; only the next minimise goes to the taskbar.
    QVERIFY(main->isVisible());
    QVERIFY(!main->isMinimized());
    main->minimizeApp();
    QVERIFY(main->isVisible());
    QVERIFY(main->isMinimized());
}

void TestShell::sessionEndDismissesOpenWindows()
{
    TfrmMain* main = showMain();
    TerminationWatcher watcher;
    connect(&watcher, &SessionEnd::ending, main, &TfrmMain::endSession);
    bool windowWasOpen = false;
    onNextModal([&](QWidget*) {
        windowWasOpen = true;
        ::raise(SIGTERM);
    });
    // The password window runs its own event loop until the session's end dismisses it.
    main->findChild<QAction*>(QStringLiteral("N14"))->trigger();
    QVERIFY(windowWasOpen);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(main->exitConfirmed());
    QVERIFY(!main->isVisible());
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestShell::loginLock()
{
    dm->ExecSql(QStringLiteral("update sysparam set val = 'Secret 1' where param = 'loginpwd'"));
    TfrmMain* main = showMain();
    QVERIFY(main->isLocked());
    QVERIFY(!main->pnlMenu->isVisibleTo(main));
    QCOMPARE(main->pnlLogin->size(), QSize(249, 137));
    QCOMPARE(main->pnlLogin->pos(),
             QPoint((main->frameGeometry().width() - 249) / 2, (main->frameGeometry().height() - 137) / 2));
    QCOMPARE(main->focusWidget(), main->edtLogin);
    QVERIFY(main->mmiLogout->isVisible());
    QCOMPARE(main->edtLogin->echoMode(), QLineEdit::Password);

    main->edtLogin->setText(QStringLiteral("secret 1"));
    QTest::keyClick(main->edtLogin, Qt::Key_Return);
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("密码不正确！")});
    QVERIFY(main->isLocked());
    QCOMPARE(main->edtLogin->text(), QString());
    QCOMPARE(main->focusWidget(), main->edtLogin);

    main->edtLogin->setText(QStringLiteral("Secret 1"));
    main->btnLogin->click();
    QVERIFY(!main->isLocked());
    QVERIFY(main->pnlMenu->isVisibleTo(main));
    QCOMPARE(main->edtLogin->text(), QString());
}

void TestShell::passwordWindow_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("new1");
    QTest::addColumn<QString>("new2");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<bool>("lockedAfter");
    QTest::newRow("first password") << ""
                                    << ""
                                    << "abc"
                                    << "abc"
                                    << "修改成功，请记住新密码！"
                                    << "abc" << true;
    QTest::newRow("change") << "abc"
                            << "abc"
                            << "xyz"
                            << "xyz"
                            << "修改成功，请记住新密码！"
                            << "xyz" << true;
    QTest::newRow("remove") << "abc"
                            << "abc"
                            << ""
                            << ""
                            << "修改成功，请记住新密码！"
                            << "" << false;
    QTest::newRow("wrong old") << "abc"
                               << "ABC"
                               << "x"
                               << "x"
                               << "原密码不正确！"
                               << "abc" << false;
    QTest::newRow("new ones differ") << "abc"
                                     << "abc"
                                     << "x"
                                     << "y"
                                     << "两次新密码不一致！"
                                     << "abc" << false;
    QTest::newRow("same as old") << "abc"
                                 << "abc"
                                 << "abc"
                                 << "abc"
                                 << "新旧密码相同！"
                                 << "abc" << false;
    QTest::newRow("nothing set, nothing typed") << ""
                                                << ""
                                                << ""
                                                << ""
                                                << "新旧密码相同！"
                                                << "" << false;
    QTest::newRow("wrong old checked first") << "abc"
                                             << ""
                                             << "x"
                                             << "y"
                                             << "原密码不正确！"
                                             << "abc" << false;
}

void TestShell::passwordWindow()
{
    QFETCH(QString, stored);
    QFETCH(QString, old);
    QFETCH(QString, new1);
    QFETCH(QString, new2);
    QFETCH(QString, message);
    QFETCH(QString, storedAfter);
    QFETCH(bool, lockedAfter);
    dm->ExecSql(QStringLiteral("update sysparam set val = '%1' where param = 'loginpwd'").arg(stored));
    TfrmMain* main = showMain();
    if (main->isLocked()) {
        main->edtLogin->setText(stored);
        main->btnLogin->click();
    }
    bool stayedOpen = false;
    onNextModal([&](QWidget* modal) {
        auto* window = qobject_cast<TfrmPwdChange*>(modal);
        QVERIFY(window);
        QCOMPARE(window->focusWidget(), window->edtOld);
        window->edtOld->setText(old);
        window->edtNew1->setText(new1);
        window->edtNew2->setText(new2);
        window->btnOK->click();
        stayedOpen = window->isVisible();
        if (stayedOpen) {
            QCOMPARE(window->edtNew1->text(), new1); // a failed check clears nothing
            window->reject();
        }
    });
    main->findChild<QAction*>(QStringLiteral("N14"))->trigger();
    QCOMPARE(MessageBox::shownTexts(), QStringList{message});
    QCOMPARE(stayedOpen, message != QStringLiteral("修改成功，请记住新密码！"));
    QCOMPARE(sys(QStringLiteral("loginpwd")), storedAfter);
    QCOMPARE(main->isLocked(), lockedAfter);
    QCOMPARE(main->mmiLogout->isVisible(), !storedAfter.isEmpty());
}

void TestShell::logoutRereadsTheStoredPassword()
{
    TfrmMain* main = showMain();
    QVERIFY(!main->mmiLogout->isVisible());
    dm->ExecSql(QStringLiteral("update sysparam set val = 'neu' where param = 'loginpwd'"));
    main->mmiLogout->trigger();
    QVERIFY(main->isLocked());
    main->edtLogin->setText(QStringLiteral("neu"));
    main->btnLogin->click();
    QVERIFY(!main->isLocked());
}

void TestShell::menuStartsProgramsAndTools()
{
    TfrmMain* main = showMain();
    main->findChild<QAction*>(QStringLiteral("mmiCalc"))->trigger();
    main->findChild<QAction*>(QStringLiteral("N17"))->trigger();
    auto* regedit = main->findChild<QAction*>(QStringLiteral("N27"));
    QCOMPARE(regedit->toolTip(), QStringLiteral("regedit"));
    regedit->trigger();
    QCOMPARE(m_ui->platform.launcher->runs, (QStringList{"calc max", "mspaint normal", "regedit normal"}));
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestShell::counterpartsFoundOnPath_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("chosen");
    QTest::newRow("calculator, second choice") << "calc" << QStringList{"kcalc"};
    QTest::newRow("editor, first choice") << "notepad" << QStringList{"gnome-text-editor"};
    QTest::newRow("with an argument") << "write" << QStringList{"libreoffice", "--writer"};
    QTest::newRow("nothing installed") << "mstsc" << QStringList{};
    QTest::newRow("no counterpart at all") << "rsop.msc" << QStringList{};
}

void TestShell::counterpartsFoundOnPath()
{
    QFETCH(QString, command);
    QFETCH(QStringList, chosen);
    QTemporaryDir bin;
    for (const char* name : {"kcalc", "galculator", "gnome-text-editor", "gedit", "libreoffice"}) {
        QFile tool(bin.filePath(QString::fromLatin1(name)));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\nexit 0\n");
        tool.close();
        tool.setPermissions(tool.permissions() | QFile::ExeOwner);
    }
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    const QStringList result = LinuxProgramLauncher::choose(command);
    // A command with no counterpart installed starts nothing and says nothing.
    const bool started = chosen.isEmpty() && LinuxProgramLauncher().run(command, ProgramLauncher::Window::Normal);
    qputenv("PATH", oldPath);
    QCOMPARE(result, chosen);
    QVERIFY(!started);
}

int main(int argc, char** argv)
{
    PelApplication app(argc, argv);
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell.moc"
