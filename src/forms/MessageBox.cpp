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

constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 28;

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
    static const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Critical, QMessageBox::Question};
    QMessageBox box(icons[kind], boxTitle(), text, QMessageBox::NoButton, parent);
    // Every box has the same buttons in look and size; the words are set here,
    // so they are Chinese whatever translation is installed.
    const auto addButton = [&box](QMessageBox::StandardButton which, const QString& caption) {
        QPushButton* button = box.addButton(which);
        button->setText(caption);
        button->setMinimumSize(kButtonWidth, kButtonHeight);
        return button;
    };
    if (kind != Question) {
        box.setDefaultButton(addButton(QMessageBox::Ok, QStringLiteral("确定")));
        box.exec();
        return Ok;
    }
    QPushButton* yes = addButton(QMessageBox::Yes, QStringLiteral("是(&Y)"));
    QPushButton* no = addButton(QMessageBox::No, QStringLiteral("否(&N)"));
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Yes : No;
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
