#include "core/backup/BackupStore.h"
#include "core/data/Connection.h"
#include "mock/TestDatabase.h"

#include <QFile>
#include <QScopeGuard>
#include <QTest>
#include <atomic>
#include <sqlite3.h>
#include <thread>

// Daily copies of the database: whole while another program writes, kept 7
// daily and 8 weekly, restored only when sound.
class TestBackup : public QObject {
    Q_OBJECT

private:
    static void exec(sqlite3* db, const char* sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            QFAIL(message);
        }
    }

    static int count(const QString& path, const char* sql)
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* statement = nullptr;
        int value = -1;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            value = sqlite3_column_int(statement, 0);
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return value;
    }

    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    const QDate m_day{2024, 4, 14};

private Q_SLOTS:

    void copyIsPrivateAndNamedByDay()
    {
        TestDatabase folder;
        BackupStore store(folder.path());
        QString error;
        QVERIFY2(store.backup(folder.connection(), m_day, &error), qPrintable(error));
        const QString path = folder.folder() + QStringLiteral("/backup/pel-20240414.dll");
        QCOMPARE(store.copies().size(), 1);
        QCOMPARE(store.copies().first().path, path);
        QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
        QVERIFY(BackupStore::check(path, &error));
        QCOMPARE(BackupStore::census(path).first(), qMakePair(QStringLiteral("通讯录"), 0));
    }

    void copyDuringAnotherProgramsWriteIsWholeAndConsistent()
    {
        TestDatabase folder;
        BackupStore store(folder.path());
        folder.connection().handle();

        // Another program inserts 20 contacts per transaction, all with the
        // transaction's number in ord, while copies are taken.
        std::atomic<bool> stop = false;
        std::atomic<int> committed = 0;
        std::thread writer([&] {
            sqlite3* db = nullptr;
            sqlite3_open(QFile::encodeName(folder.path()).constData(), &db);
            sqlite3_busy_timeout(db, 5000);
            for (int batch = 1; !stop; ++batch) {
                QByteArray sql = "BEGIN IMMEDIATE;";
                for (int i = 0; i < 20; ++i) {
                    sql += "INSERT INTO Dianhua (xingming, ord) VALUES ('x', " + QByteArray::number(batch) + ");";
                }
                sql += "COMMIT;";
                if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK) {
                    ++committed;
                } else {
                    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
                }
                // A program between two of its writes; without any pause a
                // writer that never lets go would keep every reader out.
                sqlite3_sleep(1);
            }
            sqlite3_close(db);
        });
        // A failed check returns early: the writer is stopped first all the same.
        const auto stopWriter = qScopeGuard([&] {
            stop = true;
            if (writer.joinable()) {
                writer.join();
            }
        });
        QList<QDate> days;
        for (int i = 0; i < 6; ++i) {
            while (committed < (i + 1) * 5) {
                QThread::msleep(5);
            }
            QString error;
            const QDate day = m_day.addDays(i);
            QVERIFY2(store.backup(folder.connection(), day, &error), qPrintable(error));
            days << day;
        }
        stop = true;
        writer.join();
        for (const QDate& day : days) {
            const QString path = store.pathFor(day);
            const int rows = count(path, "SELECT count(*) FROM Dianhua");
            QVERIFY(rows > 0);
            QCOMPARE(rows % 20, 0);
            QCOMPARE(count(path, "SELECT count(*) FROM (SELECT ord FROM Dianhua GROUP BY ord HAVING count(*) <> 20)"),
                     0);
        }
    }

    void uncommittedWriteStaysOut()
    {
        TestDatabase folder;
        BackupStore store(folder.path());
        folder.connection().handle();
        sqlite3* other = nullptr;
        sqlite3_open(QFile::encodeName(folder.path()).constData(), &other);
        exec(other, "BEGIN IMMEDIATE; INSERT INTO Dianhua (xingming) VALUES ('未提交');");
        QString error;
        QVERIFY2(store.backup(folder.connection(), m_day, &error), qPrintable(error));
        exec(other, "COMMIT;");
        sqlite3_close(other);
        QCOMPARE(count(store.pathFor(m_day), "SELECT count(*) FROM Dianhua"), 0);
    }

    void retentionOverTwoMonthsOfDays()
    {
        TestDatabase folder;
        BackupStore store(folder.path());
        // Every day from Thursday 15 February to Sunday 14 April 2024.
        for (QDate day(2024, 2, 15); day <= m_day; day = day.addDays(1)) {
            QString error;
            QVERIFY2(store.backup(folder.connection(), day, &error), qPrintable(error));
        }
        QList<QDate> left;
        for (const BackupStore::Copy& copy : store.copies()) {
            left << copy.date;
        }
        // The last seven days, then the Sunday ending each earlier week, back
        // to the week of 19 February: eight weeks in all.
        const QList<QDate> expected{{2024, 4, 14}, {2024, 4, 13}, {2024, 4, 12}, {2024, 4, 11}, {2024, 4, 10},
                                    {2024, 4, 9},  {2024, 4, 8},  {2024, 4, 7},  {2024, 3, 31}, {2024, 3, 24},
                                    {2024, 3, 17}, {2024, 3, 10}, {2024, 3, 3},  {2024, 2, 25}};
        QCOMPARE(left, expected);
    }

    void keptWithGaps()
    {
        // A program run on few days: the newest seven, and one per week for older weeks.
        const QList<QDate> days{{2024, 1, 1}, {2024, 1, 3}, {2024, 1, 20}, {2024, 3, 1}, {2024, 3, 2},
                                {2024, 3, 4}, {2024, 3, 5}, {2024, 3, 6},  {2024, 3, 7}, {2024, 3, 8}};
        const QList<QDate> expected{{2024, 3, 8}, {2024, 3, 7}, {2024, 3, 6},  {2024, 3, 5}, {2024, 3, 4},
                                    {2024, 3, 2}, {2024, 3, 1}, {2024, 1, 20}, {2024, 1, 3}};
        QCOMPARE(BackupStore::kept(days), expected);
    }

    void restoreRoundTrip()
    {
        TestDatabase folder;
        BackupStore store(folder.path());
        sqlite3* db = folder.connection().handle();
        exec(db, "INSERT INTO Dianhua (xingming) VALUES ('甲')");
        QString error;
        QVERIFY2(store.backup(folder.connection(), m_day.addDays(-1), &error), qPrintable(error));
        exec(db, "INSERT INTO Dianhua (xingming) VALUES ('乙')");

        QVERIFY2(store.restore(store.pathFor(m_day.addDays(-1)), folder.connection(), m_day, &error),
                 qPrintable(error));
        QCOMPARE(count(folder.path(), "SELECT count(*) FROM Dianhua"), 1);
        // The state before the restore was kept first.
        QCOMPARE(count(store.pathFor(m_day), "SELECT count(*) FROM Dianhua"), 2);
        // The connection serves the restored file.
        exec(folder.connection().handle(), "INSERT INTO Dianhua (xingming) VALUES ('丙')");
        QCOMPARE(count(folder.path(), "SELECT count(*) FROM Dianhua"), 2);
    }

    void restoringTodaysCopy()
    {
        TestDatabase folder;
        BackupStore store(folder.path());
        exec(folder.connection().handle(), "INSERT INTO Dianhua (xingming) VALUES ('甲')");
        QString error;
        QVERIFY(store.backup(folder.connection(), m_day, &error));
        exec(folder.connection().handle(), "DELETE FROM Dianhua");
        QVERIFY2(store.restore(store.pathFor(m_day), folder.connection(), m_day, &error), qPrintable(error));
        QCOMPARE(count(folder.path(), "SELECT count(*) FROM Dianhua"), 1);
    }

    void damagedCopyRefused_data()
    {
        QTest::addColumn<int>("damage");
        QTest::newRow("cut in half") << 0;
        QTest::newRow("a page zeroed") << 1;
        QTest::newRow("not a database") << 2;
    }

    void damagedCopyRefused()
    {
        QFETCH(int, damage);
        TestDatabase folder;
        BackupStore store(folder.path());
        sqlite3* db = folder.connection().handle();
        for (int i = 0; i < 300; ++i) {
            exec(db, "INSERT INTO Dianhua (xingming, addr) VALUES ('某人', '一个足够长的地址，让数据库占好几页')");
        }
        QString error;
        QVERIFY(store.backup(folder.connection(), m_day.addDays(-1), &error));
        const QString copy = store.pathFor(m_day.addDays(-1));
        QByteArray bytes = bytesOf(copy);
        if (damage == 0) {
            bytes.truncate(bytes.size() / 2);
        } else if (damage == 1) {
            bytes.replace(4096 * 2, 4096, QByteArray(4096, '\0'));
        } else {
            bytes = "BEGIN:VCARD\r\nEND:VCARD\r\n";
        }
        QFile file(copy);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();

        folder.connection().close();
        const QByteArray before = bytesOf(folder.path());
        QVERIFY(!store.restore(copy, folder.connection(), m_day, &error));
        QVERIFY2(error.contains(QStringLiteral("已损坏")), qPrintable(error));
        QCOMPARE(bytesOf(folder.path()), before);
        QVERIFY(!store.hasCopy(m_day)); // nothing was done
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
