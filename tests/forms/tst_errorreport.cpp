#include "core/data/DbError.h"
#include "core/data/Tdm.h"
#include "forms/ErrorReport.h"
#include "forms/MessageBox.h"
#include "forms/TfrmBaseEdit.h"
#include "mock/ModalDriver.h"
#include "mock/TestDatabase.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

namespace {
enum class Thrown { Nothing, Database, Standard, Other };

void throwKind(Thrown kind)
{
    switch (kind) {
    case Thrown::Nothing:
        return;
    case Thrown::Database:
        throw DbError(QStringLiteral("数据库文件已损坏。"));
    case Thrown::Standard:
        throw std::runtime_error("disk full");
    case Thrown::Other:
        throw 42;
    }
}

// A receiver whose slots fail the way window slots do, and count their calls.
class Failing : public QObject {
public:
    void fail()
    {
        ++calls;
        throw DbError(QStringLiteral("第%1次失败。").arg(calls));
    }

    void failWith(bool checked)
    {
        lastChecked = checked;
        fail();
    }

    int calls = 0;
    bool lastChecked = false;
};

// An editor over a table that is not in the database: its show step fails.
class BrokenEditor : public TfrmBaseEdit {
public:
    BrokenEditor()
    {
        TableName = QStringLiteral("no_such_table");
        SaveTableName = TableName;
    }
};
} // namespace

Q_DECLARE_METATYPE(Thrown)

// Errors are caught where Qt calls into the program and shown in the general
// report; the program goes on.
class TestErrorReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void guardReportsWhatWasThrown_data();
    void guardReportsWhatWasThrown();
    void slotThatThrowsIsReportedEachTime();
    void signalArgumentsReachTheSlot();
    void timerThatThrowsIsReportedAndTimersGoOn();
    void errorInsideModalWindowKeepsItOpen();
    void failedShowStepIsReportedAndTheWindowOpens();
};

void TestErrorReport::init()
{
    MessageBox::setTestMode(true);
    MessageBox::clearShown();
}

void TestErrorReport::cleanup()
{
    cancelPendingModals();
    MessageBox::clearShown();
}

void TestErrorReport::guardReportsWhatWasThrown_data()
{
    QTest::addColumn<Thrown>("kind");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("nothing") << Thrown::Nothing << QStringList();
    QTest::newRow("database error shows its message") << Thrown::Database << QStringList{"数据库文件已损坏。"};
    QTest::newRow("standard exception shows its text") << Thrown::Standard << QStringList{"disk full"};
    QTest::newRow("anything else gets a plain text") << Thrown::Other << QStringList{"发生未知错误。"};
}

void TestErrorReport::guardReportsWhatWasThrown()
{
    QFETCH(Thrown, kind);
    QFETCH(QStringList, shown);
    bool after = false;
    const bool ran = ErrorReport::guard([&] {
        throwKind(kind);
        after = true;
    });
    QCOMPARE(ran, kind == Thrown::Nothing);
    QCOMPARE(after, ran); // a failed step ends the rest of its sequence
    QCOMPARE(MessageBox::shownTexts(), shown);
    if (!shown.isEmpty()) {
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Error);
    }
}

void TestErrorReport::slotThatThrowsIsReportedEachTime()
{
    QPushButton button;
    Failing receiver;
    ErrorReport::connect(&button, &QPushButton::clicked, &receiver, &Failing::fail);
    int lambdaCalls = 0;
    ErrorReport::connect(&button, &QPushButton::clicked, &receiver, [&] {
        ++lambdaCalls;
        throw std::runtime_error("lambda failed");
    });
    button.click();
    button.click();
    QCOMPARE(receiver.calls, 2);
    QCOMPARE(lambdaCalls, 2);
    QCOMPARE(MessageBox::shownTexts(), (QStringList{"第1次失败。", "lambda failed", "第2次失败。", "lambda failed"}));
}

void TestErrorReport::signalArgumentsReachTheSlot()
{
    QCheckBox box;
    Failing receiver;
    ErrorReport::connect(&box, &QCheckBox::toggled, &receiver, &Failing::failWith);
    box.setChecked(true);
    QVERIFY(receiver.lastChecked);
    box.setChecked(false);
    QVERIFY(!receiver.lastChecked);
    QCOMPARE(MessageBox::shownTexts(), (QStringList{"第1次失败。", "第2次失败。"}));
}

void TestErrorReport::timerThatThrowsIsReportedAndTimersGoOn()
{
    QTimer timer;
    timer.setInterval(1);
    int ticks = 0;
    ErrorReport::connect(&timer, &QTimer::timeout, &timer, [&] {
        if (++ticks == 3) {
            timer.stop();
        }
        throw DbError(QStringLiteral("闹铃表读取失败。"));
    });
    bool later = false;
    QTimer::singleShot(0, &timer, ErrorReport::guarded([&] { throw std::runtime_error("single shot"); }));
    timer.start();
    QTRY_COMPARE(ticks, 3);
    QTimer::singleShot(0, &timer, [&] { later = true; });
    QTRY_VERIFY(later);
    QCOMPARE(MessageBox::shownTexts().count(QStringLiteral("闹铃表读取失败。")), 3);
    QCOMPARE(MessageBox::shownTexts().count(QStringLiteral("single shot")), 1);
}

void TestErrorReport::errorInsideModalWindowKeepsItOpen()
{
    QDialog dialog;
    auto* button = new QPushButton(QStringLiteral("保存"), &dialog);
    Failing receiver;
    ErrorReport::connect(button, &QPushButton::clicked, &receiver, &Failing::fail);
    bool stillOpen = false;
    onNextModal([&](QWidget* modal) {
        QCOMPARE(modal, &dialog);
        button->click();
        stillOpen = QApplication::activeModalWidget() == &dialog && dialog.isVisible();
        button->click();
        dialog.reject();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(stillOpen);
    QCOMPARE(MessageBox::shownTexts(), (QStringList{"第1次失败。", "第2次失败。"}));
}

void TestErrorReport::failedShowStepIsReportedAndTheWindowOpens()
{
    TestDatabase db;
    dm = new Tdm;
    {
        BrokenEditor editor;
        editor.RecordOid = QStringLiteral("3");
        bool opened = false;
        onNextModal([&](QWidget* modal) {
            opened = modal == &editor;
            editor.reject();
        });
        QCOMPARE(editor.exec(), int(QDialog::Rejected));
        QVERIFY(opened);
    }
    delete dm;
    dm = nullptr;
    QCOMPARE(MessageBox::shownTexts().size(), 1);
    QVERIFY2(MessageBox::shownTexts().first().contains(QStringLiteral("no_such_table")),
             qPrintable(MessageBox::shownTexts().first()));
}

QTEST_MAIN(TestErrorReport)
#include "tst_errorreport.moc"
