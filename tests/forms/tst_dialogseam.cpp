#include "forms/FileDialog.h"
#include "forms/MessageBox.h"
#include "mock/UiFixture.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <optional>

namespace {
const QDateTime kNow(QDate(2026, 12, 11), QTime(9, 0));
}

// Run in a child process by the suite below: each function leaves a dialog
// unanswered or an answer unused, and the fixture must fail it.
class FixtureProbe : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void init() { m_ui.emplace(kNow, UiFixture::Data::Later); }

    void cleanup() { m_ui.reset(); }

    void questionNobodyAnswered() { MessageBox::question(nullptr, QStringLiteral("确定删除吗？")); }

    void answerNobodyAskedFor() { MessageBox::setNextAnswer(MessageBox::Yes); }

    void fileDialogNobodyAnswered()
    {
        FileDialog::getSaveFileName(nullptr, QStringLiteral("通讯录_Pelorin.xls"), QStringLiteral("*.xls"),
                                    QStringLiteral("xls"));
    }

    void fileNameNobodyTook() { FileDialog::setNextFileName(QStringLiteral("/tmp/out.xls")); }

    void everythingAnswered()
    {
        MessageBox::setNextAnswer(MessageBox::No);
        QCOMPARE(MessageBox::question(nullptr, QStringLiteral("确定删除吗？")), MessageBox::No);
        FileDialog::setNextFileName(QString());
        QCOMPARE(FileDialog::getSaveFileName(nullptr, QStringLiteral("a.xls"), QStringLiteral("*.xls"),
                                             QStringLiteral("xls")),
                 QString());
    }

private:
    std::optional<UiFixture> m_ui;
};

// The dialog seam in test mode: answers in the order queued, and no question
// or file dialog passes unanswered.
class TestDialogSeam : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void questionsTakeTheQueuedAnswersInOrder();
    void unansweredQuestionIsReportedAndAnsweredNo();
    void messagesNeedNoAnswer();
    void unansweredFileDialogIsReportedAndCancels();
    void testModeAgainKeepsTheHook();
    void fixtureFailsTheTest_data();
    void fixtureFailsTheTest();

private:
    QStringList m_reported;
};

void TestDialogSeam::init()
{
    m_reported.clear();
    MessageBox::setTestMode(true);
    MessageBox::setUnansweredHook([this](const QString& question) { m_reported << question; });
    FileDialog::setTestMode(true);
    FileDialog::setUnansweredHook([this](const QString& proposed) { m_reported << proposed; });
}

void TestDialogSeam::cleanup()
{
    MessageBox::setUnansweredHook(nullptr);
    MessageBox::setTestMode(false);
    FileDialog::setUnansweredHook(nullptr);
    FileDialog::setTestMode(false);
}

void TestDialogSeam::questionsTakeTheQueuedAnswersInOrder()
{
    MessageBox::setNextAnswer(MessageBox::No);
    MessageBox::setNextAnswer(MessageBox::Yes);
    QCOMPARE(MessageBox::pendingAnswers(), 2);
    QCOMPARE(MessageBox::question(nullptr, QStringLiteral("一")), MessageBox::No);
    QCOMPARE(MessageBox::question(nullptr, QStringLiteral("二")), MessageBox::Yes);
    QCOMPARE(MessageBox::pendingAnswers(), 0);
    QCOMPARE(MessageBox::shownTexts(), (QStringList{"一", "二"}));
    QCOMPARE(MessageBox::shown().first().kind, MessageBox::Question);
    QVERIFY(m_reported.isEmpty());
}

void TestDialogSeam::unansweredQuestionIsReportedAndAnsweredNo()
{
    // No is the answer that loses nothing: no row deleted, no program left.
    QCOMPARE(MessageBox::question(nullptr, QStringLiteral("确定删除吗？")), MessageBox::No);
    QCOMPARE(m_reported, QStringList{QStringLiteral("确定删除吗？")});
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("确定删除吗？")});
}

void TestDialogSeam::messagesNeedNoAnswer()
{
    MessageBox::information(nullptr, QStringLiteral("修改成功，请记住新密码！"));
    MessageBox::error(nullptr, QStringLiteral("密码不正确！"));
    QVERIFY(m_reported.isEmpty());
    QCOMPARE(MessageBox::shown().size(), 2);
    QCOMPARE(MessageBox::shown().at(0).kind, MessageBox::Information);
    QCOMPARE(MessageBox::shown().at(1).kind, MessageBox::Error);
}

void TestDialogSeam::unansweredFileDialogIsReportedAndCancels()
{
    FileDialog::setNextFileName(QStringLiteral("/tmp/a.xls"));
    QVERIFY(FileDialog::hasPendingFileName());
    QCOMPARE(FileDialog::getSaveFileName(nullptr, QStringLiteral("收入.xls"), QStringLiteral("*.xls"),
                                         QStringLiteral("xls")),
             QStringLiteral("/tmp/a.xls"));
    QVERIFY(!FileDialog::hasPendingFileName());
    QVERIFY(m_reported.isEmpty());

    QCOMPARE(FileDialog::getSaveFileName(nullptr, QStringLiteral("支出.xls"), QStringLiteral("*.xls"),
                                         QStringLiteral("xls")),
             QString());
    QCOMPARE(m_reported, QStringList{QStringLiteral("支出.xls")});
    QCOMPARE(FileDialog::lastProposedPath(), QStringLiteral("支出.xls"));
}

void TestDialogSeam::testModeAgainKeepsTheHook()
{
    // A test that starts its boxes afresh must not silence the harness.
    MessageBox::setNextAnswer(MessageBox::Yes);
    MessageBox::setTestMode(true);
    QCOMPARE(MessageBox::pendingAnswers(), 0);
    FileDialog::setTestMode(true);
    QCOMPARE(MessageBox::question(nullptr, QStringLiteral("继续？")), MessageBox::No);
    QCOMPARE(FileDialog::getSaveFileName(nullptr, QStringLiteral("a.xls"), {}, {}), QString());
    QCOMPARE(m_reported, (QStringList{"继续？", "a.xls"}));
}

void TestDialogSeam::fixtureFailsTheTest_data()
{
    QTest::addColumn<QString>("probe");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QString>("report");
    QTest::newRow("question nobody answered")
        << "questionNobodyAnswered" << true << "a question no test answered: 确定删除吗？";
    QTest::newRow("answer nobody asked for") << "answerNobodyAskedFor" << true << "1 queued answer(s) no question took";
    QTest::newRow("file dialog nobody answered")
        << "fileDialogNobodyAnswered" << true << "a file dialog no test answered: 通讯录_Pelorin.xls";
    QTest::newRow("file name nobody took") << "fileNameNobodyTook" << true << "a queued file name no dialog took";
    QTest::newRow("everything answered") << "everythingAnswered" << false
                                         << "PASS   : FixtureProbe::everythingAnswered";
}

void TestDialogSeam::fixtureFailsTheTest()
{
    QFETCH(QString, probe);
    QFETCH(bool, fails);
    QFETCH(QString, report);
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--probe"), probe});
    QVERIFY(child.waitForFinished(30000));
    const QString output = QString::fromUtf8(child.readAll());
    QVERIFY2(output.contains(report), qPrintable(output));
    QCOMPARE(child.exitCode() != 0, fails);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--probe") == 0) {
        FixtureProbe probe;
        return QTest::qExec(&probe, QStringList{QCoreApplication::applicationFilePath(), QString::fromUtf8(argv[2])});
    }
    TestDialogSeam test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dialogseam.moc"
