#pragma once

#include <QList>
#include <QString>

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
    // queued answers in order (Yes when none is queued).
    static void setTestMode(bool on);
    static bool testMode();
    static void setNextAnswer(Button answer);
    static QList<Shown> shown();
    static QStringList shownTexts();
    static void clearShown();

private:
    static Button showBox(Kind kind, QWidget* parent, const QString& text);
};
