#pragma once

#include "core/data/Tdm.h"
#include "forms/FileDialog.h"
#include "forms/MessageBox.h"
#include "mock/FakePlatform.h"
#include "mock/InsertRow.h"
#include "mock/MockClock.h"
#include "mock/ModalDriver.h"
#include "mock/TestDatabase.h"

#include <QTest>

// What a widget test stands on, made in init() and dropped in cleanup(): the
// clock at a chosen moment, message boxes and file dialogs answered only as the
// test queued them, a fresh program folder with its own database, the fake
// platform, and the data module dm over that database.
//
// A question or file dialog nobody answered fails the running test where it
// comes up; an answer left unused fails it at cleanup, since the flow did not
// ask what the test thought it would.
class UiFixture {
public:
    enum class Data { Open, Later }; // Later: the test calls startDm() itself

    explicit UiFixture(const QDateTime& now, Data data = Data::Open)
        : clock(MockClock::install(now))
    {
        MessageBox::setTestMode(true);
        MessageBox::setUnansweredHook([](const QString& question) {
            QTest::qFail(qPrintable(QStringLiteral("a question no test answered: ") + question), __FILE__, __LINE__);
        });
        FileDialog::setTestMode(true);
        FileDialog::setUnansweredHook([](const QString& proposed) {
            QTest::qFail(qPrintable(QStringLiteral("a file dialog no test answered: ") + proposed), __FILE__, __LINE__);
        });
        if (data == Data::Open) {
            startDm();
        }
    }

    ~UiFixture()
    {
        cancelPendingModals();
        const int unusedAnswers = MessageBox::pendingAnswers();
        const bool unusedFileName = FileDialog::hasPendingFileName();
        stopDm();
        MessageBox::setUnansweredHook(nullptr);
        MessageBox::setTestMode(false);
        FileDialog::setUnansweredHook(nullptr);
        FileDialog::setTestMode(false);
        Clock::setInstance(nullptr);
        // A test that failed already may well have stopped before its questions.
        if (QTest::currentTestFailed()) {
            return;
        }
        if (unusedAnswers > 0) {
            QTest::qFail(qPrintable(QStringLiteral("%1 queued answer(s) no question took").arg(unusedAnswers)),
                         __FILE__, __LINE__);
        } else if (unusedFileName) {
            QTest::qFail("a queued file name no dialog took", __FILE__, __LINE__);
        }
    }

    Q_DISABLE_COPY_MOVE(UiFixture)

    Tdm& startDm()
    {
        if (!dm) {
            dm = new Tdm;
        }
        return *dm;
    }

    void stopDm()
    {
        delete dm;
        dm = nullptr;
    }

    // A row in dm's database; returns its oid.
    int insertRow(const QString& table, const QVariantMap& values)
    {
        return ::insertRow(startDm().ADOConnection1(), table, values);
    }

    MockClock* const clock;
    TestDatabase db;
    FakePlatform platform{db.folder()};
};
