#include "core/data/Connection.h"
#include "core/data/DbError.h"
#include "core/data/Schema.h"
#include "core/data/Tdm.h"
#include "mock/ReadOnlyMount.h"
#include "mock/TestDatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
mode_t modeOf(const QString& path)
{
    struct stat info {};

    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & 07777) : mode_t(0);
}

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray();
}

// Another program's connection, as the plain library opens it.
class RawConnection {
public:
    explicit RawConnection(const QString& path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }

    ~RawConnection() { sqlite3_close_v2(m_db); }

    Q_DISABLE_COPY_MOVE(RawConnection)

    int exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }

    QString value(const char* sql)
    {
        sqlite3_stmt* stmt = nullptr;
        QString result;
        if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW) {
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        }
        sqlite3_finalize(stmt);
        return result;
    }

private:
    sqlite3* m_db = nullptr;
};

} // namespace

// The database file itself: private to its owner, created once however many
// starts race for it, and what a start says about a file it cannot use.
class TestDatabaseFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void freshFileAndJournalArePrivate();
    void racingStartsCreateOneWholeFile();
    void briefLockIsWaitedFor();
    void lockedFileIsSaidToBeBusy();
    void truncatedPelorinFileIsDamaged_data();
    void truncatedPelorinFileIsDamaged();
    void readOnlyFileIsKnownAtOpen();
};

void TestDatabaseFile::freshFileAndJournalArePrivate()
{
    TestDatabase folder;
    const mode_t mask = ::umask(022);
    folder.connection().handle();
    ::umask(mask);
    QCOMPARE(modeOf(folder.path()), mode_t(0600));
    QCOMPARE(QDir(folder.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("pel.dll")});

    RawConnection writer(folder.path());
    QCOMPARE(writer.exec("begin; insert into Beiwang (title) values ('密码本');"), SQLITE_OK);
    const QString journal = folder.path() + QStringLiteral("-journal");
    QVERIFY(QFile::exists(journal));
    QCOMPARE(modeOf(journal), mode_t(0600));
    QCOMPARE(writer.exec("commit"), SQLITE_OK);
}

void TestDatabaseFile::racingStartsCreateOneWholeFile()
{
    constexpr int kRounds = 8;
    constexpr int kStarts = 4;
    for (int round = 0; round < kRounds; ++round) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pel.dll"));
        const QString go = dir.filePath(QStringLiteral("go"));
        std::vector<std::unique_ptr<QProcess>> starts;
        for (int i = 0; i < kStarts; ++i) {
            auto start = std::make_unique<QProcess>();
            start->start(QStringLiteral(CREATE_RACER), {path, go});
            QVERIFY(start->waitForStarted());
            starts.push_back(std::move(start));
        }
        QThread::msleep(50);
        QFile(go).open(QIODevice::WriteOnly);
        for (auto& start : starts) {
            QVERIFY(start->waitForFinished(20000));
            QCOMPARE(start->readAllStandardOutput().trimmed(), QByteArray("ok"));
        }
        RawConnection check(path);
        QCOMPARE(check.value("pragma integrity_check"), QStringLiteral("ok"));
        QCOMPARE(check.value("pragma application_id").toInt(), Schema::kApplicationId);
        QCOMPARE(check.value("select count(*) from sysParam where param = 'useflag'"), QStringLiteral("1"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("go"), QStringLiteral("pel.dll")}));
    }
}

void TestDatabaseFile::briefLockIsWaitedFor()
{
    TestDatabase folder;
    {
        Tdm fresh;
        fresh.ExecSql(QStringLiteral("update param set val = '爸爸 妈妈' where param = 'Ren'"));
    }
    RawConnection other(folder.path());
    QCOMPARE(other.exec("begin exclusive"), SQLITE_OK);
    std::thread release([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        other.exec("commit");
    });
    Tdm data;
    release.join();
    QCOMPARE(data.creationError(), QString());
    QCOMPARE(data.Ren, QStringLiteral("爸爸 妈妈"));
}

void TestDatabaseFile::lockedFileIsSaidToBeBusy()
{
    TestDatabase folder;
    {
        Tdm fresh;
        fresh.ExecSql(QStringLiteral("update param set val = '爸爸 妈妈' where param = 'Ren'"));
    }
    const QByteArray before = fileHash(folder.path());
    auto other = std::make_unique<RawConnection>(folder.path());
    QCOMPARE(other->exec("begin exclusive"), SQLITE_OK);
    Tdm data;
    QVERIFY2(data.creationError().contains(QStringLiteral("正被其他程序使用")), qPrintable(data.creationError()));
    QVERIFY(!data.creationError().contains(QStringLiteral("不是Pelorin数据库")));
    QCOMPARE(data.Ren, QString());
    other.reset();
    QCOMPARE(fileHash(folder.path()), before);

    // Once the other program is done, the next step finds the parameters.
    QCOMPARE(data.SelectValue(QStringLiteral("select val from param where param = 'Ren'"), QStringLiteral("val")),
             QStringLiteral("爸爸 妈妈"));
    QCOMPARE(data.creationError(), QString());
    QCOMPARE(data.Ren, QStringLiteral("爸爸 妈妈"));
    QVERIFY(!data.adCommon.isEmpty());
}

void TestDatabaseFile::truncatedPelorinFileIsDamaged_data()
{
    QTest::addColumn<qint64>("keptBytes");
    QTest::newRow("cut in half") << qint64(-2);
    QTest::newRow("header and one page") << qint64(4096);
    QTest::newRow("header only") << qint64(100);
    QTest::newRow("part of the header") << qint64(40);
}

void TestDatabaseFile::truncatedPelorinFileIsDamaged()
{
    QFETCH(qint64, keptBytes);
    TestDatabase folder;
    {
        Tdm fresh;
        for (int i = 0; i < 200; ++i) {
            fresh.ExecSql(QStringLiteral("insert into Beiwang (title, remark) values ('第%1条', '%2')")
                              .arg(i)
                              .arg(QString(300, QChar(u'记'))));
        }
    }
    QFile file(folder.path());
    QVERIFY(file.resize(keptBytes < 0 ? file.size() / -keptBytes : keptBytes));
    const QByteArray before = fileHash(folder.path());

    Tdm data;
    QVERIFY2(data.creationError().contains(QStringLiteral("已损坏")), qPrintable(data.creationError()));
    QVERIFY(!data.creationError().contains(QStringLiteral("不是Pelorin数据库")));
    QCOMPARE(fileHash(folder.path()), before);
    QCOMPARE(QDir(folder.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("pel.dll")});
}

void TestDatabaseFile::readOnlyFileIsKnownAtOpen()
{
    TestDatabase folder;
    {
        Tdm fresh;
        QVERIFY(!fresh.readOnly());
    }
    std::unique_ptr<ReadOnlyMount> mount;
    if (::geteuid() == 0) {
        // Permissions do not stop root; a read-only mount does.
        mount = std::make_unique<ReadOnlyMount>(folder.folder());
        QVERIFY(mount->isReadOnly());
    } else {
        QVERIFY(::chmod(QFile::encodeName(folder.path()).constData(), 0400) == 0);
    }
    Tdm data;
    QCOMPARE(data.creationError(), QString());
    QVERIFY(data.readOnly());
    QCOMPARE(data.ReadParam(QStringLiteral("DaysJishi")), QStringLiteral("30"));
}

QTEST_GUILESS_MAIN(TestDatabaseFile)
#include "tst_databasefile.moc"
