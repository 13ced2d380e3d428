#include "app/Startup.h"
#include "app/TfrmMain.h"
#include "core/data/Tdm.h"
#include "core/data/TextFile.h"
#include "core/web/LinkPage.h"
#include "forms/MessageBox.h"
#include "forms/WebView.h"
#include "mock/FakePlatform.h"
#include "mock/MockClock.h"
#include "mock/ReadOnlyMount.h"
#include "mock/TestDatabase.h"
#include "platform/UrlOpener.h"

#include <QTest>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
void rawExec(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}
} // namespace

// The whole start as the program runs it: data module, link page, main
// window and its show sequence.
class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startUpErrorIsShownOnce_data();
    void startUpErrorIsShownOnce();
    void readOnlyDatabaseIsSaidAtStart();
    void freshInstallShowsABlankLinkBar();
    void missingLinkPageIsRebuiltFromTheLinks();
    void existingLinkPageIsLeftAsItIs();
    void qtsOwnWordsAreChinese();

private:
    void start();

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<FakePlatform> m_platform;
};

void TestStartup::init()
{
    MockClock::install(QDateTime(QDate(2026, 12, 11), QTime(10, 0)));
    MessageBox::setTestMode(true);
    UrlOpener::setRecording(true);
    m_db = std::make_unique<TestDatabase>();
    m_platform = std::make_unique<FakePlatform>(m_db->folder());
}

void TestStartup::cleanup()
{
    m_db.reset();
    m_platform.reset();
    Clock::setInstance(nullptr);
}

void TestStartup::start()
{
    Startup startup;
    startup.mainWindow()->show();
    QVERIFY(startup.mainWindow()->isVisible());
}

void TestStartup::startUpErrorIsShownOnce_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("said");
    QTest::newRow("foreign file") << "foreign"
                                  << "不是Pelorin数据库";
    QTest::newRow("newer database") << "newer"
                                    << "比本程序新";
    QTest::newRow("truncated Pelorin file") << "truncated"
                                            << "已损坏";
}

void TestStartup::startUpErrorIsShownOnce()
{
    QFETCH(QString, kind);
    QFETCH(QString, said);
    if (kind == QLatin1String("foreign")) {
        QVERIFY(TextFile::write(m_db->path(), QStringLiteral("MZ not a database")));
    } else {
        {
            Tdm fresh;
            for (int i = 0; i < 100; ++i) {
                fresh.ExecSql(QStringLiteral("insert into Beiwang (title, remark) values ('%1', '%2')")
                                  .arg(i)
                                  .arg(QString(500, QChar(u'记'))));
            }
        }
        if (kind == QLatin1String("newer")) {
            rawExec(m_db->path(), "pragma user_version = 99");
        } else {
            QFile file(m_db->path());
            QVERIFY(file.resize(file.size() / 2));
        }
    }
    start();
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().kind, MessageBox::Error);
    QVERIFY2(MessageBox::shown().first().text.contains(said), qPrintable(MessageBox::shown().first().text));
}

void TestStartup::readOnlyDatabaseIsSaidAtStart()
{
    {
        Tdm fresh;
    }
    start();
    QCOMPARE(MessageBox::shownTexts(), QStringList());

    std::unique_ptr<ReadOnlyMount> mount;
    if (::geteuid() == 0) {
        mount = std::make_unique<ReadOnlyMount>(m_db->folder());
        QVERIFY(mount->isReadOnly());
    } else {
        QVERIFY(::chmod(QFile::encodeName(m_db->path()).constData(), 0400) == 0);
    }
    start();
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("数据库只读，修改将无法保存。")});
}

void TestStartup::freshInstallShowsABlankLinkBar()
{
    const QString page = m_db->folder() + QStringLiteral("/my.htm");
    QVERIFY(!QFile::exists(page));
    Startup startup;
    startup.mainWindow()->show();
    QCOMPARE(TextFile::read(page), LinkPage::lines({}).join(QLatin1Char('\n')));
    QVERIFY(!startup.mainWindow()->WebBrowser2->showsErrorPage());
    QCOMPARE(startup.mainWindow()->WebBrowser2->toPlainText().trimmed(), QString());
    QCOMPARE(MessageBox::shownTexts(), QStringList());
}

void TestStartup::missingLinkPageIsRebuiltFromTheLinks()
{
    {
        Tdm fresh;
        fresh.ExecSql(QStringLiteral("insert into MyUrl (title, url, ord) values ('乙', 'https://b.example.org/', 2)"));
        fresh.ExecSql(QStringLiteral("insert into MyUrl (title, url, ord) values ('甲', 'https://a.example.org/', 1)"));
    }
    Startup startup;
    startup.mainWindow()->show();
    QCOMPARE(TextFile::read(m_db->folder() + QStringLiteral("/my.htm")),
             LinkPage::lines({{QStringLiteral("甲"), QStringLiteral("https://a.example.org/")},
                              {QStringLiteral("乙"), QStringLiteral("https://b.example.org/")}})
                 .join(QLatin1Char('\n')));
}

void TestStartup::existingLinkPageIsLeftAsItIs()
{
    const QString page = m_db->folder() + QStringLiteral("/my.htm");
    QVERIFY(TextFile::write(page, QStringLiteral("<a href=\"https://www.qq.com/\">腾讯</a>")));
    Startup startup;
    startup.mainWindow()->show();
    QCOMPARE(TextFile::read(page), QStringLiteral("<a href=\"https://www.qq.com/\">腾讯</a>"));
    QCOMPARE(startup.mainWindow()->WebBrowser2->toPlainText().trimmed(), QStringLiteral("腾讯"));
}

void TestStartup::qtsOwnWordsAreChinese()
{
    Startup startup;
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("确定"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("另存为"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
