#pragma once

#include <QList>
#include <QString>
#include <functional>

class QWidget;

// Every message and question of the program goes through here, so tests can
// answer them in advance instead of a person.
class MessageBox {
public:
    enum Button { Ok, Yes, No };

    enum Kind { Information, Error, Question };

    struct Shown {
        Kind kind;
        QString text;
    };

    static void information(QWidget* parent, const QString& text);
    static void error(QWidget* parent, const QString& text);
    static Button question(QWidget* parent, const QString& text); // Yes or No

    // Test mode: nothing is shown; every box is recorded, and questions take the
    // queued answers in order. A question nobody answered in advance is a fault
    // of the test: it is answered No, so nothing is lost, and reported through
    // the hook, which a test harness points at its own failure report.
    using UnansweredHook = std::function<void(const QString& question)>;
    static void setTestMode(bool on);
    static bool testMode();
    static void setNextAnswer(Button answer);
    static void setUnansweredHook(UnansweredHook hook);
    static int pendingAnswers();
    static QList<Shown> shown();
    static QStringList shownTexts();
    static void clearShown();

private:
    static Button showBox(Kind kind, QWidget* parent, const QString& text);
};
