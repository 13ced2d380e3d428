#include "app/PelApplication.h"
#include "app/TfrmMain.h"
#include "core/data/Tdm.h"
#include "forms/BalloonHints.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "mock/FakePlatform.h"
#include "mock/MockClock.h"
#include "mock/ModalDriver.h"
#include "mock/TestDatabase.h"
#include "platform/UrlOpener.h"
#include "tools/TMcxcalcEdit.h"
#include "tools/TfrmStr.h"
#include "tools/TfrmYueGong.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

// The items of 更多 that open the tools.
class TestToolsMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void yueGongOpensFromTheMenu();
    void strOpensFromTheMenu();

private:
    TfrmMain* showMain();

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<TfrmMain> m_main;
};

void TestToolsMenu::initTestCase()
{
    FontMapper::install();
    BalloonHints::install();
}

void TestToolsMenu::init()
{
    MockClock::install(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    MessageBox::setTestMode(true);
    MessageBox::clearShown();
    UrlOpener::setRecording(true);
    m_db = std::make_unique<TestDatabase>();
    m_platform = std::make_unique<FakePlatform>(m_db->folder());
}

void TestToolsMenu::cleanup()
{
    cancelPendingModals();
    m_main.reset();
    delete dm;
    dm = nullptr;
    m_db.reset();
    m_platform.reset();
    Clock::setInstance(nullptr);
}

TfrmMain* TestToolsMenu::showMain()
{
    dm = new Tdm;
    m_main = std::make_unique<TfrmMain>();
    m_main->show();
    return m_main.get();
}

void TestToolsMenu::yueGongOpensFromTheMenu()
{
    TfrmMain* main = showMain();
    auto* item = main->findChild<QAction*>(QStringLiteral("N9"));
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("月供测算"));
    QString payment;
    QString status;
    onNextModal([&](QWidget* modal) {
        auto* window = qobject_cast<TfrmYueGong*>(modal);
        QVERIFY(window);
        QCOMPARE(window->parentWidget(), main);
        window->btnJisuan->click();
        payment = window->edtYuegong->text();
        status = window->StatusBar1->currentMessage();
        window->edtNian->setText(QStringLiteral("30"));
        window->btnClose->click();
    });
    item->trigger();
    QCOMPARE(payment, QStringLiteral("3366.43"));
    QCOMPARE(status, QString());
    QVERIFY(!main->findChild<TfrmYueGong*>());
    QCOMPARE(dm->SelectValue(QStringLiteral("select nian from param_yuegong where oid = 1"), QStringLiteral("nian")),
             QStringLiteral("30"));
}

void TestToolsMenu::strOpensFromTheMenu()
{
    TfrmMain* main = showMain();
    auto* item = main->findChild<QAction*>(QStringLiteral("mmiStr"));
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("字符串特效"));
    QString generated;
    onNextModal([&](QWidget* modal) {
        auto* window = qobject_cast<TfrmStr*>(modal);
        QVERIFY(window);
        QCOMPARE(window->parentWidget(), main);
        window->Memo1->setPlainText(QStringLiteral("你好"));
        window->Button1->click();
        generated = window->Memo2->toPlainText();
        window->close();
    });
    item->trigger();
    QCOMPARE(generated, QStringLiteral("你★好★"));
    QVERIFY(!main->findChild<TfrmStr*>());
}

int main(int argc, char** argv)
{
    PelApplication app(argc, argv);
    TestToolsMenu test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_toolsmenu.moc"
