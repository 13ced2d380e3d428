#include "app/Startup.h"
#include "forms/FileDialog.h"
#include "forms/MessageBox.h"
#include "mock/ModalDriver.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct ButtonLook {
    QString text;
    QSize size;
};

QList<ButtonLook> buttonsOf(QWidget* modal)
{
    QList<ButtonLook> looks;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
        return looks;
    }
    for (QAbstractButton* button : box->buttons()) {
        looks.append({button->text(), button->size()});
    }
    return looks;
}

// Every word a person can read in the window: captions, labels, hints and column headers.
QStringList wordsOf(QWidget* window)
{
    QStringList words{window->windowTitle()};
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window)) {
            continue;
        }
        words << widget->toolTip();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            words << label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            words << button->text();
        } else if (auto* header = qobject_cast<QHeaderView*>(widget)) {
            for (int section = 0; section < header->count(); ++section) {
                if (!header->isSectionHidden(section)) {
                    words << header->model()->headerData(section, header->orientation()).toString();
                }
            }
        }
    }
    words.removeAll(QString());
    return words;
}
} // namespace

// Qt's own boxes and dialogs as the user meets them: in Chinese, and every
// message box with buttons of one look.
class TestChineseDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void cleanup() { cancelPendingModals(); }

    void boxesShareOneButtonLook();
    void questionAnswersWithTheButtonClicked_data();
    void questionAnswersWithTheButtonClicked();
    void saveDialogIsChinese();
};

void TestChineseDialogs::initTestCase()
{
    QVERIFY(Startup::installTranslations());
    MessageBox::setTestMode(false);
}

void TestChineseDialogs::boxesShareOneButtonLook()
{
    QList<ButtonLook> information;
    QList<ButtonLook> error;
    QList<ButtonLook> question;
    const auto record = [](QList<ButtonLook>* looks) {
        onNextModal([looks](QWidget* modal) {
            *looks = buttonsOf(modal);
            auto* box = qobject_cast<QMessageBox*>(modal);
            box->buttons().first()->click();
        });
    };
    record(&information);
    MessageBox::information(nullptr, QStringLiteral("保存成功！"));
    record(&error);
    MessageBox::error(nullptr, QStringLiteral("网址不能为空！"));
    record(&question);
    MessageBox::question(nullptr, QStringLiteral("确定删除吗？"));

    QCOMPARE(information.size(), 1);
    QCOMPARE(information.first().text, QStringLiteral("确定"));
    QCOMPARE(error.size(), 1);
    QCOMPARE(error.first().text, QStringLiteral("确定"));
    QCOMPARE(question.size(), 2);
    QStringList answers{question.at(0).text, question.at(1).text};
    answers.sort();
    QCOMPARE(answers, (QStringList{QStringLiteral("否(&N)"), QStringLiteral("是(&Y)")}));
    for (const ButtonLook& look : question + error) {
        QCOMPARE(look.size, information.first().size);
    }
}

void TestChineseDialogs::questionAnswersWithTheButtonClicked_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << "是(&Y)" << int(MessageBox::Yes);
    QTest::newRow("no") << "否(&N)" << int(MessageBox::No);
    QTest::newRow("escape") << "" << int(MessageBox::No);
}

void TestChineseDialogs::questionAnswersWithTheButtonClicked()
{
    QFETCH(QString, clicked);
    QFETCH(int, answer);
    onNextModal([clicked](QWidget* modal) {
        if (clicked.isEmpty()) {
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* button : qobject_cast<QMessageBox*>(modal)->buttons()) {
            if (button->text() == clicked) {
                button->click();
            }
        }
    });
    QCOMPARE(int(MessageBox::question(nullptr, QStringLiteral("确定删除吗？"))), answer);
}

void TestChineseDialogs::saveDialogIsChinese()
{
    QTemporaryDir dir;
    QStringList words;
    QString title;
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        title = dialog->windowTitle();
        // The detail view shows the column headers too.
        dialog->setViewMode(QFileDialog::Detail);
        QTest::qWait(50);
        words = wordsOf(dialog);
        dialog->reject();
    });
    const QString chosen = FileDialog::getSaveFileName(nullptr, dir.filePath(QStringLiteral("我的网址_Pelorin.xls")),
                                                       QStringLiteral("Excel 文件 (*.xls)"), QStringLiteral("xls"));
    QCOMPARE(chosen, QString());
    QCOMPARE(title, QStringLiteral("另存为"));
    QVERIFY(words.contains(QStringLiteral("文件名(&N)：")));
    QVERIFY(words.contains(QStringLiteral("保存(&S)")));
    // Words of English left anywhere (the file filter's own name aside).
    const QRegularExpression english(QStringLiteral("[A-Za-z]{3,}"));
    QStringList left;
    for (const QString& word : words) {
        QString rest = word;
        rest.remove(QStringLiteral("Excel")).remove(QStringLiteral("Pelorin")).remove(QStringLiteral("xls"));
        if (rest.contains(english)) {
            left << word;
        }
    }
    QCOMPARE(left, QStringList());
}

QTEST_MAIN(TestChineseDialogs)
#include "tst_chinesedialogs.moc"
