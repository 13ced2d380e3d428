#include "core/data/Connection.h"
#include "core/data/Query.h"
#include "mock/TestDatabase.h"

#include <QProcess>
#include <QTest>
#include <csignal>
#include <sqlite3.h>

// A record is on disk once its post returns: a writer killed at any moment
// leaves a whole file that holds every record it reported.
class TestDurability : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedWriterLosesNothing_data();
    void killedWriterLosesNothing();
};

void TestDurability::killedWriterLosesNothing_data()
{
    QTest::addColumn<int>("reportsBeforeKill");
    QTest::newRow("early") << 3;
    QTest::newRow("later") << 40;
    QTest::newRow("much later") << 150;
}

void TestDurability::killedWriterLosesNothing()
{
    QFETCH(int, reportsBeforeKill);
    TestDatabase folder;
    {
        Connection create(folder.path());
        create.handle();
    }

    QProcess writer;
    writer.setProgram(QStringLiteral(DURABILITY_WRITER));
    writer.setArguments({folder.path()});
    writer.start();
    QVERIFY(writer.waitForStarted());
    QByteArray output;
    QElapsedTimer timer;
    timer.start();
    while (output.count('\n') < reportsBeforeKill && timer.elapsed() < 60000) {
        writer.waitForReadyRead(100);
        output += writer.readAllStandardOutput();
    }
    ::kill(pid_t(writer.processId()), SIGKILL);
    writer.waitForFinished();
    output += writer.readAllStandardOutput();

    // Only whole lines were reported as posted.
    QList<QByteArray> lines = output.split('\n');
    lines.removeLast();
    QVERIFY(lines.size() >= reportsBeforeKill);

    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(folder.path()).constData(), &db, SQLITE_OPEN_READWRITE, nullptr),
             SQLITE_OK);
    sqlite3_stmt* check = nullptr;
    sqlite3_prepare_v2(db, "pragma integrity_check", -1, &check, nullptr);
    QCOMPARE(sqlite3_step(check), SQLITE_ROW);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))), QByteArray("ok"));
    sqlite3_finalize(check);
    sqlite3_close(db);

    Connection connection(folder.path());
    Query query(connection);
    query.setSql(QStringLiteral("select * from Income"));
    query.open();
    QSet<QString> stored;
    for (query.first(); !query.eof(); query.next()) {
        stored.insert(query.asText(QStringLiteral("oid")));
        // Every stored record is whole.
        const int n = query.asText(QStringLiteral("miaoshu")).mid(1).chopped(1).toInt();
        QCOMPARE(query.asText(QStringLiteral("jine")), QStringLiteral("%1.25").arg(n));
        QCOMPARE(query.asText(QStringLiteral("beizhu")).size(), qsizetype(200 + n % 500));
    }
    for (const QByteArray& line : lines) {
        QVERIFY2(stored.contains(QString::fromLatin1(line)), line.constData());
    }
}

QTEST_GUILESS_MAIN(TestDurability)
#include "tst_durability.moc"
