#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
// One start of the program, as far as claiming its folder goes.
class Start {
public:
    explicit Start(const QString& folder)
    {
        m_process.setProgram(QStringLiteral(INSTANCE_HOLDER));
        m_process.setArguments({folder});
        m_process.start();
    }

    ~Start()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    Q_DISABLE_COPY_MOVE(Start)

    // Waits until the start has printed this many lines, and returns them all.
    QStringList lines(int count)
    {
        QElapsedTimer timer;
        timer.start();
        while (m_output.count('\n') < count && timer.elapsed() < 20000) {
            if (!m_process.waitForReadyRead(100) && m_process.state() == QProcess::NotRunning) {
                m_output += m_process.readAllStandardOutput();
                break;
            }
            m_output += m_process.readAllStandardOutput();
        }
        return QString::fromLatin1(m_output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    bool endsBy(int ms) { return m_process.waitForFinished(ms); }

    void die()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
    QByteArray m_output;
};
} // namespace

// Two starts on one program folder: the second brings the first to the
// front and ends; other folders run side by side; a start that died does
// not block the next.
class TestSingleInstance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void secondStartActivatesTheFirstAndEnds();
    void otherFolderRunsAlongside();
    void lockOfADeadStartIsTakenOver();
    void folderReachedByAnotherPathIsTheSameFolder();
};

void TestSingleInstance::secondStartActivatesTheFirstAndEnds()
{
    QTemporaryDir dir;
    Start first(dir.path());
    QCOMPARE(first.lines(1), QStringList{QStringLiteral("first")});
    Start second(dir.path());
    QCOMPARE(second.lines(1), QStringList{QStringLiteral("running")});
    QVERIFY(second.endsBy(5000));
    QCOMPARE(first.lines(2), (QStringList{QStringLiteral("first"), QStringLiteral("activated")}));
    Start third(dir.path());
    QCOMPARE(third.lines(1), QStringList{QStringLiteral("running")});
    QCOMPARE(first.lines(3).size(), 3);
}

void TestSingleInstance::otherFolderRunsAlongside()
{
    QTemporaryDir one;
    QTemporaryDir other;
    Start first(one.path());
    QCOMPARE(first.lines(1), QStringList{QStringLiteral("first")});
    Start second(other.path());
    QCOMPARE(second.lines(1), QStringList{QStringLiteral("first")});
    QVERIFY(!second.endsBy(300));
}

void TestSingleInstance::lockOfADeadStartIsTakenOver()
{
    QTemporaryDir dir;
    {
        Start crashed(dir.path());
        QCOMPARE(crashed.lines(1), QStringList{QStringLiteral("first")});
        crashed.die();
    }
    QVERIFY(QFile::exists(dir.path() + QStringLiteral("/pel.lock")));
    Start next(dir.path());
    QCOMPARE(next.lines(1), QStringList{QStringLiteral("first")});
    Start after(dir.path());
    QCOMPARE(after.lines(1), QStringList{QStringLiteral("running")});
}

void TestSingleInstance::folderReachedByAnotherPathIsTheSameFolder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("prog")));
    QVERIFY(QFile::link(dir.path() + QStringLiteral("/prog"), dir.path() + QStringLiteral("/link")));
    Start first(dir.path() + QStringLiteral("/prog"));
    QCOMPARE(first.lines(1), QStringList{QStringLiteral("first")});
    Start second(dir.path() + QStringLiteral("/link/"));
    QCOMPARE(second.lines(1), QStringList{QStringLiteral("running")});
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
