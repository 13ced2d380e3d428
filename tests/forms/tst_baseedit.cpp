#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/ControlTag.h"
#include "forms/EditorLayout.h"
#include "forms/MessageBox.h"
#include "forms/TMcxButtonEdit.h"
#include "forms/TMcxCheckBox.h"
#include "forms/TMcxComboBox.h"
#include "forms/TMcxDateEdit.h"
#include "forms/TMcxMemo.h"
#include "forms/TMcxTextEdit.h"
#include "forms/TfrmBaseEdit.h"
#include "mock/QueryRows.h"
#include "mock/UiFixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <optional>

namespace {
// A window made only for these tests: every kind of bound control and every
// special tag, over a table of its own.
class ProbeEditor : public TfrmBaseEdit {
public:
    explicit ProbeEditor(QWidget* owner = nullptr)
        : TfrmBaseEdit(owner)
    {
        TableName = QStringLiteral("probe");
        SaveTableName = QStringLiteral("probe");
        EditorLayout form(this);
        title = form.add<TMcxTextEdit>("title", "标题", {16, 80, 200}, EditorLayout::Required);
        dt = form.add<TMcxDateEdit>("dt", "日期", {16, 136, 121}, EditorLayout::Required);
        body = form.add<TMcxMemo>("body", "内容", {16, 192, 300, 80}, EditorLayout::Required);
        kind = form.add<TMcxComboBox>("kind", "类别", {240, 80, 121}, EditorLayout::Required);
        flag = form.add<TMcxCheckBox>("flag", "标记", {240, 136, 121});
        amount = form.add<TMcxTextEdit>("amount", "数量", {240, 300, 121});
        note = form.add<TMcxTextEdit>("note", "附注", {16, 300, 200});
        ControlTag::set(note, -2);
        skipped = form.add<TMcxTextEdit>("skipped", "不绑定", {16, 356, 200});
        ControlTag::set(skipped, -3);
        code = form.add<TMcxButtonEdit>("code", "代码", {16, 412, 200});
        ControlTag::set(code, -1);
        person = form.add<TMcxButtonEdit>("person", "人员", {240, 412, 121});
    }

    TMcxTextEdit* title;
    TMcxDateEdit* dt;
    TMcxMemo* body;
    TMcxComboBox* kind;
    TMcxCheckBox* flag;
    TMcxTextEdit* amount;
    TMcxTextEdit* note;
    TMcxTextEdit* skipped;
    TMcxButtonEdit* code;
    TMcxButtonEdit* person;
};
} // namespace

class TestBaseEdit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void requiredFieldsInDeclarationOrder_data();
    void requiredFieldsInDeclarationOrder();
    void newRecordIsAppended();
    void editChangesTheSameRow();
    void copySavesANewRowAndLeavesTheSource();
    void closingCopyAddsNothing();
    void specialTags();
    void refusedValueKeepsTheWindowAndItsInput();
    void invalidDateIsRefusedNotLost();
    void passwordModeShowsStars_data();
    void passwordModeShowsStars();
    void keyThatIsNotANumberOpensNothing_data();
    void keyThatIsNotANumberOpensNothing();

private:
    int addProbeRow();
    QStringList rows(const QString& columns);

    std::optional<UiFixture> m_ui;
};

void TestBaseEdit::init()
{
    m_ui.emplace(QDateTime(QDate(2026, 12, 11), QTime(9, 0)));
    dm->ExecSql(QStringLiteral(
        "create table probe (oid INTEGER PRIMARY KEY AUTOINCREMENT, title VARCHAR(255), dt DATE, body LONGTEXT, "
        "kind VARCHAR(255), flag INTEGER, amount DOUBLE, note VARCHAR(255), skipped VARCHAR(255), code VARCHAR(255), "
        "person INTEGER, personname VARCHAR(255))"));
}

void TestBaseEdit::cleanup()
{
    m_ui.reset();
}

int TestBaseEdit::addProbeRow()
{
    return m_ui->insertRow(QStringLiteral("probe"), {{"title", "原标题"},
                                                     {"dt", QDate(2026, 5, 1)},
                                                     {"body", "原内容"},
                                                     {"kind", "旧类别"},
                                                     {"flag", 1},
                                                     {"amount", 2.5},
                                                     {"note", "原附注"},
                                                     {"skipped", "原跳过"},
                                                     {"code", "C1"},
                                                     {"person", 7},
                                                     {"personname", "张三"}});
}

QStringList TestBaseEdit::rows(const QString& columns)
{
    return queryRows(dm->ADOConnection1(),
                     QStringLiteral("select oid, ") + columns + QStringLiteral(" from probe order by oid"));
}

void TestBaseEdit::requiredFieldsInDeclarationOrder_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("message");
    QTest::newRow("all empty") << ""
                               << ""
                               << ""
                               << "标题不能为空！";
    QTest::newRow("title filled") << "标题"
                                  << ""
                                  << ""
                                  << "日期不能为空！";
    QTest::newRow("memo empty") << "标题"
                                << "2026-12-11"
                                << ""
                                << "内容不能为空！";
    QTest::newRow("later ones filled") << ""
                                       << "2026-12-11"
                                       << "x"
                                       << "标题不能为空！";
    QTest::newRow("a space is not empty") << " "
                                          << "2026-12-11"
                                          << " "
                                          << "";
}

void TestBaseEdit::requiredFieldsInDeclarationOrder()
{
    QFETCH(QString, title);
    QFETCH(QString, date);
    QFETCH(QString, body);
    QFETCH(QString, message);
    ProbeEditor editor;
    editor.show();
    editor.title->setText(title);
    editor.dt->setText(date);
    editor.body->setPlainText(body);
    editor.btnSave->click();
    if (message.isEmpty()) {
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        // The required combo box was left empty and is saved empty.
        QCOMPARE(rows(QStringLiteral("title, kind")), QStringList{QStringLiteral("1| |")});
        return;
    }
    QCOMPARE(MessageBox::shownTexts(), QStringList{message});
    QVERIFY(editor.isVisible());
    QCOMPARE(rows(QStringLiteral("title")), QStringList{});
    const QString field = message.startsWith(QStringLiteral("标题"))   ? QStringLiteral("title")
                          : message.startsWith(QStringLiteral("日期")) ? QStringLiteral("dt")
                                                                       : QStringLiteral("body");
    QWidget* focused = editor.focusWidget();
    QVERIFY(focused);
    QVERIFY2(focused->objectName() == field || focused->parentWidget()->objectName() == field,
             qPrintable(focused->objectName()));
}

void TestBaseEdit::newRecordIsAppended()
{
    ProbeEditor editor;
    editor.show();
    QCOMPARE(editor.query().sql(), QStringLiteral("select * from probe where oid = :oid"));
    QCOMPARE(editor.query().rowCount(), 0);
    editor.title->setText(QStringLiteral("新标题"));
    editor.dt->setDate(QDate(2026, 12, 24));
    editor.body->setPlainText(QStringLiteral("第一行\n第二行"));
    editor.kind->setEditText(QStringLiteral("自定义"));
    editor.flag->setChecked(true);
    editor.amount->setText(QStringLiteral("3.25"));
    editor.code->setText(QStringLiteral("A-1"));
    editor.SaveStep();
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(rows(QStringLiteral("title, dt, body, kind, flag, amount, code")),
             QStringList{QStringLiteral("1|新标题|2026-12-24|第一行\n第二行|自定义|1|3.25|A-1")});
}

void TestBaseEdit::editChangesTheSameRow()
{
    const int oid = addProbeRow();
    ProbeEditor editor;
    editor.RecordOid = QString::number(oid);
    editor.show();
    QCOMPARE(editor.title->text(), QStringLiteral("原标题"));
    QCOMPARE(editor.dt->text(), QStringLiteral("2026-05-01"));
    QCOMPARE(editor.kind->currentText(), QStringLiteral("旧类别"));
    QVERIFY(editor.flag->isChecked());
    editor.title->setText(QStringLiteral("改过的"));
    editor.flag->setChecked(false);
    editor.SaveStep();
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(rows(QStringLiteral("title, flag, amount")), QStringList{QStringLiteral("%1|改过的|0|2.5").arg(oid)});
}

void TestBaseEdit::copySavesANewRowAndLeavesTheSource()
{
    const int oid = addProbeRow();
    ProbeEditor editor;
    editor.RecordOid = QString::number(oid);
    editor.setCopyMode();
    QVERIFY(editor.btnSave->styleSheet().contains(QStringLiteral("rgb(192, 220, 192)")));
    QVERIFY(editor.btnSave->styleSheet().contains(QStringLiteral(":hover { background-color: rgb(255, 0, 255)")));
    editor.show();
    QCOMPARE(editor.RecordOid, QStringLiteral("0"));
    QCOMPARE(editor.title->text(), QStringLiteral("原标题"));
    editor.title->setText(QStringLiteral("复制的"));
    editor.SaveStep();
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    const QStringList all = rows(QStringLiteral("title, dt, body, amount"));
    QCOMPARE(all.size(), 2);
    QCOMPARE(all[0], QStringLiteral("%1|原标题|2026-05-01|原内容|2.5").arg(oid));
    QCOMPARE(all[1].section(QLatin1Char('|'), 1), QStringLiteral("复制的|2026-05-01|原内容|2.5"));
    QVERIFY(all[1].section(QLatin1Char('|'), 0, 0).toInt() > oid);
}

void TestBaseEdit::closingCopyAddsNothing()
{
    const int oid = addProbeRow();
    ProbeEditor editor;
    editor.RecordOid = QString::number(oid);
    editor.setCopyMode();
    editor.show();
    QTest::keyClick(&editor, Qt::Key_Escape);
    QCOMPARE(editor.result(), int(QDialog::Rejected));
    QCOMPARE(rows(QStringLiteral("title")).size(), 1);
}

void TestBaseEdit::specialTags()
{
    const int oid = addProbeRow();
    ProbeEditor editor;
    editor.RecordOid = QString::number(oid);
    editor.show();
    // -3 is never loaded; -1 loads its own column; 0 or more shows the name and keeps the key.
    QCOMPARE(editor.skipped->text(), QString());
    QCOMPARE(editor.note->text(), QStringLiteral("原附注"));
    QCOMPARE(editor.code->text(), QStringLiteral("C1"));
    QCOMPARE(editor.person->text(), QStringLiteral("张三"));
    QCOMPARE(ControlTag::of(editor.person), 7);

    editor.skipped->setText(QStringLiteral("不会保存"));
    editor.note->clear(); // -2: an empty text leaves the column as it was
    editor.code->setText(QStringLiteral("C2"));
    ControlTag::set(editor.person, 12);
    editor.SaveStep();
    QCOMPARE(rows(QStringLiteral("skipped, note, code, person, personname")),
             QStringList{QStringLiteral("%1|原跳过|原附注|C2|12|张三").arg(oid)});

    ProbeEditor again;
    again.RecordOid = QString::number(oid);
    again.show();
    ControlTag::set(again.person, 0); // tag 0 clears the key
    again.note->setText(QStringLiteral("新附注"));
    again.SaveStep();
    QCOMPARE(rows(QStringLiteral("note, person")), QStringList{QStringLiteral("%1|新附注|").arg(oid)});
}

void TestBaseEdit::refusedValueKeepsTheWindowAndItsInput()
{
    ProbeEditor editor;
    editor.show();
    editor.title->setText(QStringLiteral("标题"));
    editor.dt->setDate(QDate(2026, 12, 11));
    editor.body->setPlainText(QStringLiteral("内容"));
    editor.amount->setText(QStringLiteral("三个"));
    editor.SaveStep();
    QVERIFY(editor.isVisible());
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY2(MessageBox::shownTexts().first().contains(QStringLiteral("三个")),
             qPrintable(MessageBox::shownTexts().first()));
    QCOMPARE(editor.amount->text(), QStringLiteral("三个"));
    QCOMPARE(editor.title->text(), QStringLiteral("标题"));
    QCOMPARE(rows(QStringLiteral("title")), QStringList{});

    // The next 保存 starts over and succeeds once the value is mended.
    editor.amount->setText(QStringLiteral("3"));
    editor.SaveStep();
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(rows(QStringLiteral("title, amount")), QStringList{QStringLiteral("1|标题|3")});
}

void TestBaseEdit::invalidDateIsRefusedNotLost()
{
    ProbeEditor editor;
    editor.show();
    editor.title->setText(QStringLiteral("标题"));
    editor.dt->setText(QStringLiteral("2026-02-30"));
    editor.body->setPlainText(QStringLiteral("内容"));
    editor.SaveStep();
    QVERIFY(editor.isVisible());
    QVERIFY(MessageBox::shownTexts().first().contains(QStringLiteral("2026-02-30")));
    QCOMPARE(editor.dt->text(), QStringLiteral("2026-02-30"));
    QCOMPARE(rows(QStringLiteral("title")), QStringList{});
}

void TestBaseEdit::passwordModeShowsStars_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letters") << "abc"
                             << "***";
    QTest::newRow("Chinese") << "登录密码"
                             << "****";
    QTest::newRow("empty") << ""
                           << "";
}

void TestBaseEdit::passwordModeShowsStars()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    for (QLineEdit* edit : {static_cast<QLineEdit*>(new TMcxTextEdit), new QLineEdit}) {
        std::unique_ptr<QLineEdit> owner(edit);
        TMcxTextEdit::setPasswordMode(edit);
        edit->show();
        edit->setText(typed);
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        QCOMPARE(edit->displayText(), shown);
        QCOMPARE(edit->text(), typed);
    }
}

void TestBaseEdit::keyThatIsNotANumberOpensNothing_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("letters") << "abc";
    QTest::newRow("condition") << "1 or 1=1";
    QTest::newRow("empty") << "";
    QTest::newRow("space before") << " 1";
    QTest::newRow("fraction") << "1.0";
    QTest::newRow("sign") << "+1";
    QTest::newRow("too long") << "99999999999999999999";
}

void TestBaseEdit::keyThatIsNotANumberOpensNothing()
{
    QFETCH(QString, key);
    addProbeRow();
    const QStringList before = rows(QStringLiteral("title, body"));
    const QString message = QStringLiteral("记录号“%1”不是整数，无法打开记录。").arg(key);
    ProbeEditor editor;
    editor.RecordOid = key;
    editor.show();
    QCOMPARE(MessageBox::shownTexts(), QStringList{message});
    QCOMPARE(editor.title->text(), QString());
    // Saving under that key writes nothing either, and says why.
    editor.title->setText(QStringLiteral("标题"));
    editor.dt->setDate(QDate(2026, 12, 11));
    editor.body->setPlainText(QStringLiteral("内容"));
    editor.btnSave->click();
    QCOMPARE(MessageBox::shownTexts(), (QStringList{message, message}));
    QVERIFY(editor.isVisible());
    QCOMPARE(rows(QStringLiteral("title, body")), before);
}

QTEST_MAIN(TestBaseEdit)
#include "tst_baseedit.moc"
