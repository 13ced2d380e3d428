#include "forms/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
struct TestState {
    bool on = false;
    QList<MessageBox::Button> answers;
    QList<MessageBox::Shown> shown;
    MessageBox::UnansweredHook unanswered;
};

TestState& state()
{
    static TestState testState;
    return testState;
}

QString boxTitle()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Pelorin") : name;
}
} // namespace

void MessageBox::information(QWidget* parent, const QString& text)
{
    showBox(Information, parent, text);
}

void MessageBox::error(QWidget* parent, const QString& text)
{
    showBox(Error, parent, text);
}

MessageBox::Button MessageBox::question(QWidget* parent, const QString& text)
{
    return showBox(Question, parent, text);
}

MessageBox::Button MessageBox::showBox(Kind kind, QWidget* parent, const QString& text)
{
    TestState& test = state();
    if (test.on) {
        test.shown.append({kind, text});
        if (kind != Question) {
            return Ok;
        }
        if (!test.answers.isEmpty()) {
            return test.answers.takeFirst();
        }
        if (test.unanswered) {
            test.unanswered(text);
        }
        return No;
    }
    if (!parent) {
        parent = QApplication::activeWindow();
    }
    switch (kind) {
    case Information:
        QMessageBox::information(parent, boxTitle(), text);
        return Ok;
    case Error:
        QMessageBox::critical(parent, boxTitle(), text);
        return Ok;
    case Question:
        break;
    }
    QMessageBox box(QMessageBox::Question, boxTitle(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    return box.exec() == QMessageBox::Yes ? Yes : No;
}

void MessageBox::setTestMode(bool on)
{
    // The hook belongs to the harness, not to one test's answers.
    UnansweredHook hook = std::move(state().unanswered);
    state() = TestState{};
    state().on = on;
    state().unanswered = std::move(hook);
}

bool MessageBox::testMode()
{
    return state().on;
}

void MessageBox::setNextAnswer(Button answer)
{
    state().answers.append(answer);
}

void MessageBox::setUnansweredHook(UnansweredHook hook)
{
    state().unanswered = std::move(hook);
}

int MessageBox::pendingAnswers()
{
    return int(state().answers.size());
}

QList<MessageBox::Shown> MessageBox::shown()
{
    return state().shown;
}

QStringList MessageBox::shownTexts()
{
    QStringList texts;
    for (const Shown& box : state().shown) {
        texts << box.text;
    }
    return texts;
}

void MessageBox::clearShown()
{
    state().shown.clear();
}
