#include "app/TfrmMain.h"
#include "books/TfrmDianhua.h"
#include "books/TfrmDianhuaEdit.h"
#include "books/TfrmVCardImport.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/DataGrid.h"
#include "forms/FileDialog.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "forms/TMcxComboBox.h"
#include "forms/TMcxMemo.h"
#include "forms/TMcxTextEdit.h"
#include "forms/WebView.h"
#include "mock/QueryRows.h"
#include "mock/UiFixture.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <optional>

class TestContacts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void fromTheButtonToTheRowOnDisk();
    void newContactDefaultsAndRequiredName();
    void editKeepsATypeNoLongerListed();
    void listShowsItsColumnsInNumberOrder();
    void deleteAndExport();
    void groupRowActsOnNothing_data();
    void groupRowActsOnNothing();
    void searchNarrowsTheList_data();
    void searchNarrowsTheList();
    void searchFollowsASavedContact();
    void escEmptiesTheSearchFirst();
    void vCardRoundTripThroughTheList();

private:
    int addContact(const QString& name, const QString& type, const QString& ord);
    QStringList contacts();

    std::optional<UiFixture> m_ui;
};

void TestContacts::init()
{
    FontMapper::install();
    m_ui.emplace(QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
    dm->ExecSql(QStringLiteral("update param set val = '家人 朋友 同事' where param = 'Leixingdianhua'"));
    dm->LoadParams();
}

void TestContacts::cleanup()
{
    m_ui.reset();
}

int TestContacts::addContact(const QString& name, const QString& type, const QString& ord)
{
    return m_ui->insertRow(QStringLiteral("Dianhua"),
                           {{"xingming", name}, {"leixing", type}, {"xingbie", "女"}, {"ord", ord}});
}

QStringList TestContacts::contacts()
{
    return queryRows(
        dm->ADOConnection1(),
        QStringLiteral("select xingming, leixing, xingbie, shouji, ord, remark from Dianhua order by oid"));
}

void TestContacts::fromTheButtonToTheRowOnDisk()
{
    TfrmMain main;
    main.show();
    auto* button = main.findChild<QPushButton*>(QStringLiteral("McxButton1"));
    QString status;
    QString caption;
    QStringList afterNew;
    QStringList afterCopy;
    onNextModal([&](QWidget* modal) {
        auto* list = qobject_cast<TfrmDianhua*>(modal);
        QVERIFY(list);
        status = list->statusText();
        caption = list->windowTitle();
        QCOMPARE(list->query().sql(), QStringLiteral("select * from Dianhua where 1=1 order by ord"));

        onNextModal([](QWidget* editorWindow) {
            auto* editor = qobject_cast<TfrmDianhuaEdit*>(editorWindow);
            QVERIFY(editor);
            QCOMPARE(editor->windowTitle(), QStringLiteral("新增"));
            editor->xingming->setText(QStringLiteral("王小明"));
            editor->xingbie->setEditText(QStringLiteral("男"));
            editor->shouji->setText(QStringLiteral("13800000000"));
            editor->ord->setText(QStringLiteral("2"));
            editor->remark->setPlainText(QStringLiteral("大学同学\n住在北京"));
            editor->btnSave->click();
        });
        list->btnNew->click();
        afterNew = QStringList{list->query().asText(QStringLiteral("xingming"))};

        // Double-click copies the contact as a new one.
        onNextModal([](QWidget* editorWindow) {
            auto* editor = qobject_cast<TfrmDianhuaEdit*>(editorWindow);
            QCOMPARE(editor->windowTitle(), QStringLiteral("复制新增"));
            QCOMPARE(editor->xingming->text(), QStringLiteral("王小明"));
            QCOMPARE(editor->leixing->currentText(), QStringLiteral("家人"));
            QCOMPARE(editor->xingbie->currentText(), QStringLiteral("男"));
            editor->xingming->setText(QStringLiteral("王小红"));
            editor->ord->setText(QStringLiteral("1"));
            editor->btnSave->click();
        });
        Q_EMIT list->cxGrid1->rowDoubleClicked();
        afterCopy = QStringList{list->query().asText(QStringLiteral("xingming"))};
        list->reject();
    });
    button->click();
    QCOMPARE(status, QStringLiteral("记录家人、朋友、同事、客户的电话、手机、QQ、地址等联系信息。"));
    QCOMPARE(caption, QStringLiteral("通讯录"));
    QCOMPARE(afterNew, QStringList{QStringLiteral("王小明")});
    // Ordered by 编号(排序): the copy with 1 comes first.
    QCOMPARE(afterCopy, QStringList{QStringLiteral("王小红")});
    QCOMPARE(contacts(), (QStringList{QStringLiteral("王小明|家人|男|13800000000|2|大学同学\n住在北京"),
                                      QStringLiteral("王小红|家人|男|13800000000|1|大学同学\n住在北京")}));
}

void TestContacts::newContactDefaultsAndRequiredName()
{
    TfrmDianhuaEdit editor;
    editor.show();
    QStringList types;
    for (int i = 0; i < editor.leixing->count(); ++i) {
        types << editor.leixing->itemText(i);
    }
    QCOMPARE(types, (QStringList{"家人", "朋友", "同事"}));
    QCOMPARE(editor.leixing->currentText(), QStringLiteral("家人"));
    QCOMPARE(editor.xingbie->currentText(), QString());
    QCOMPARE(editor.xingbie->count(), 2);

    editor.btnSave->click();
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("姓名不能为空！")});
    QCOMPARE(editor.focusWidget(), editor.xingming);
    QCOMPARE(contacts(), QStringList{});

    // Without a type, and with a gender typed by hand.
    editor.xingming->setText(QStringLiteral("O'Neil <i>李</i> 😀"));
    editor.leixing->setEditText(QString());
    editor.xingbie->setEditText(QStringLiteral("未知"));
    editor.ord->setText(QStringLiteral("十"));
    editor.btnSave->click();
    QCOMPARE(MessageBox::shown().size(), 2);
    QVERIFY(MessageBox::shownTexts().last().contains(QStringLiteral("编号(排序)")));
    QCOMPARE(contacts(), QStringList{});
    editor.ord->clear();
    const QString longRemark = QStringLiteral("'\"<script>").repeated(1000);
    editor.remark->setPlainText(longRemark);
    editor.btnSave->click();
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(contacts(), QStringList{QStringLiteral("O'Neil <i>李</i> 😀||未知|||") + longRemark});
}

void TestContacts::editKeepsATypeNoLongerListed()
{
    const int oid = addContact(QStringLiteral("张三"), QStringLiteral("客户"), QStringLiteral("5"));
    TfrmDianhuaEdit editor;
    editor.RecordOid = QString::number(oid);
    editor.show();
    QCOMPARE(editor.leixing->currentText(), QStringLiteral("客户"));
    QCOMPARE(editor.xingbie->currentText(), QStringLiteral("女"));
    editor.btnSave->click();
    QCOMPARE(contacts(), QStringList{QStringLiteral("张三|客户|女||5|")});
}

void TestContacts::listShowsItsColumnsInNumberOrder()
{
    addContact(QStringLiteral("乙"), QStringLiteral("朋友"), QStringLiteral("10"));
    addContact(QStringLiteral("甲"), QStringLiteral("朋友"), QStringLiteral("2"));
    TfrmDianhua list;
    list.show();
    QStringList headers;
    QList<int> widths;
    QTreeView* view = list.cxGrid1->view();
    for (int i = 0; i < view->model()->columnCount(); ++i) {
        headers << view->model()->headerData(i, Qt::Horizontal).toString();
        widths << view->header()->sectionSize(i);
    }
    QCOMPARE(headers, (QStringList{"姓名", "类型", "性别", "手机", "电话", "QQ", "Email", "地址", "编号(排序)"}));
    QCOMPARE(widths, (QList<int>{120, 120, 60, 120, 120, 120, 200, 300, 120}));
    // 编号(排序) is a number: 2 before 10.
    QCOMPARE(list.query().asText(QStringLiteral("xingming")), QStringLiteral("甲"));
    QVERIFY(list.btnDelete->isVisible());
    QVERIFY(list.btnToExcel->isVisible());
    QCOMPARE(list.Label3->text(), QStringLiteral("温馨提示：双击列表即可快速“复制信息”！"));
    QCOMPARE(list.WebBrowser1->url().toString(), dm->adCommon);
    QVERIFY(list.windowState() & Qt::WindowMaximized);
}

void TestContacts::deleteAndExport()
{
    addContact(QStringLiteral("甲"), QStringLiteral("朋友"), QStringLiteral("1"));
    addContact(QStringLiteral("乙"), QStringLiteral("同事"), QStringLiteral("2"));
    TfrmDianhua list;
    list.show();
    QTemporaryDir dir;
    FileDialog::setNextFileName(dir.filePath(QStringLiteral("contacts.xls")));
    list.btnToExcel->click();
    QCOMPARE(FileDialog::lastProposedPath(), QStringLiteral("通讯录_Pelorin.xls"));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("contacts.xls"))));

    MessageBox::setNextAnswer(MessageBox::Yes);
    list.btnDelete->click();
    QCOMPARE(list.query().rowCount(), 1);
    QCOMPARE(list.query().asText(QStringLiteral("xingming")), QStringLiteral("乙"));
    QCOMPARE(contacts(), QStringList{QStringLiteral("乙|同事|女||2|")});
}

void TestContacts::groupRowActsOnNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("collapsed");
    for (const bool collapsed : {false, true}) {
        const char* state = collapsed ? "collapsed group" : "group header";
        for (const char* action : {"修改", "复制新增", "删除", "double click"}) {
            QTest::addRow("%s on a %s", action, state) << QString::fromUtf8(action) << collapsed;
        }
    }
}

void TestContacts::groupRowActsOnNothing()
{
    QFETCH(QString, action);
    QFETCH(bool, collapsed);
    addContact(QStringLiteral("甲"), QStringLiteral("家人"), QStringLiteral("1"));
    addContact(QStringLiteral("乙"), QStringLiteral("朋友"), QStringLiteral("2"));
    addContact(QStringLiteral("丙"), QStringLiteral("朋友"), QStringLiteral("3"));
    TfrmDianhua list;
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.cxGrid1->groupBy(1);
    QTreeView* view = list.cxGrid1->view();
    // The user picks 乙, then clicks the header of the other group.
    list.cxGrid1->setCurrentQueryRow(1);
    QVERIFY(list.btnEdit->isEnabled());
    const QModelIndex family = view->model()->index(0, 0);
    QVERIFY(view->model()->data(family).toString().contains(QStringLiteral("家人")));
    if (collapsed) {
        view->collapse(family);
    }
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(family).center());
    QCOMPARE(list.cxGrid1->currentQueryRow(), -1);
    QVERIFY(!list.btnEdit->isEnabled());
    QVERIFY(!list.btnCopyNew->isEnabled());
    QVERIFY(!list.btnDelete->isEnabled());
    QVERIFY(list.btnNew->isEnabled());

    bool opened = false;
    onNextModal([&opened](QWidget* modal) {
        opened = true;
        static_cast<QDialog*>(modal)->reject();
    });
    // No answer is queued: a question here would itself fail the test.
    if (action == QLatin1String("修改")) {
        list.editRecord();
    } else if (action == QLatin1String("复制新增")) {
        list.copyRecord();
    } else if (action == QLatin1String("删除")) {
        list.DeleteAction();
    } else {
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(family).center());
    }
    QTest::qWait(30);
    QVERIFY(!opened);
    QCOMPARE(MessageBox::shownTexts(), QStringList{});
    QCOMPARE(contacts().size(), 3);

    // Back on a contact, the buttons act on it.
    list.cxGrid1->setCurrentQueryRow(2);
    QVERIFY(list.btnEdit->isEnabled());
}

void TestContacts::searchNarrowsTheList_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("initials") << QStringLiteral("lm") << QStringList{QStringLiteral("李明")};
    QTest::newRow("whole pinyin, spaced") << QStringLiteral("li ming") << QStringList{QStringLiteral("李明")};
    QTest::newRow("the type's pinyin") << QStringLiteral("tongshi") << QStringList{QStringLiteral("王五")};
    QTest::newRow("shared by two") << QStringLiteral("朋友")
                                   << QStringList{QStringLiteral("李明"), QStringLiteral("张三")};
    QTest::newRow("nothing") << QStringLiteral("xyz") << QStringList{};
    QTest::newRow("emptied again") << QString()
                                   << QStringList{QStringLiteral("李明"), QStringLiteral("张三"),
                                                  QStringLiteral("王五")};
}

void TestContacts::searchFollowsASavedContact()
{
    addContact(QStringLiteral("李明"), QStringLiteral("朋友"), QStringLiteral("1"));
    addContact(QStringLiteral("张三"), QStringLiteral("朋友"), QStringLiteral("2"));
    addContact(QStringLiteral("王五"), QStringLiteral("同事"), QStringLiteral("3"));
    TfrmDianhua list;
    list.show();
    list.edtSearch->setText(QStringLiteral("lm"));
    const auto shownNames = [&list] {
        QStringList names;
        const QAbstractItemModel* model = list.cxGrid1->view()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            names << model->index(row, 0).data().toString();
        }
        return names;
    };
    QCOMPARE(shownNames(), QStringList{QStringLiteral("李明")});

    // New contacts that sort first, one matching the search and one not: the
    // rows move under the search, which must still show the matching names only.
    const auto addNew = [&list](const QString& name) {
        onNextModal([name](QWidget* editorWindow) {
            auto* editor = qobject_cast<TfrmDianhuaEdit*>(editorWindow);
            QVERIFY(editor);
            editor->xingming->setText(name);
            editor->ord->setText(QStringLiteral("0"));
            editor->btnSave->click();
        });
        list.btnNew->click();
    };
    addNew(QStringLiteral("王二"));
    QCOMPARE(shownNames(), QStringList{QStringLiteral("李明")});
    addNew(QStringLiteral("刘敏"));
    QCOMPARE(shownNames(), (QStringList{QStringLiteral("刘敏"), QStringLiteral("李明")}));

    list.edtSearch->clear();
    QCOMPARE(shownNames().size(), 5);
    list.edtSearch->setText(QStringLiteral("lm"));
    QCOMPARE(shownNames(), (QStringList{QStringLiteral("刘敏"), QStringLiteral("李明")}));
}

void TestContacts::searchNarrowsTheList()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    addContact(QStringLiteral("李明"), QStringLiteral("朋友"), QStringLiteral("1"));
    addContact(QStringLiteral("张三"), QStringLiteral("朋友"), QStringLiteral("2"));
    addContact(QStringLiteral("王五"), QStringLiteral("同事"), QStringLiteral("3"));
    TfrmDianhua list;
    list.show();
    QVERIFY(list.edtSearch->isVisible());
    QCOMPARE(list.edtSearch->placeholderText(), QStringLiteral("查找"));
    list.edtSearch->setText(QStringLiteral("zzz"));
    list.edtSearch->setText(typed);
    QStringList names;
    const QAbstractItemModel* model = list.cxGrid1->view()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        names << model->index(row, 0).data().toString();
    }
    QCOMPARE(names, shown);
    // The export and the buttons follow the rows shown.
    QCOMPARE(list.cxGrid1->displayOrder().size(), shown.size());
    QCOMPARE(list.btnEdit->isEnabled(), !shown.isEmpty());
    if (!shown.isEmpty()) {
        QCOMPARE(list.query().asText(QStringLiteral("xingming")), shown.first());
    }

    // Grouped by 类型, a group counts only the rows shown.
    list.cxGrid1->groupBy(1);
    if (typed == QStringLiteral("朋友")) {
        QCOMPARE(list.cxGrid1->view()->model()->index(0, 0).data().toString(), QStringLiteral("类型: 朋友 (2)"));
    }
    if (typed == QLatin1String("lm")) {
        QCOMPARE(list.cxGrid1->view()->model()->rowCount(), 1);
        QCOMPARE(list.cxGrid1->view()->model()->index(0, 0).data().toString(), QStringLiteral("类型: 朋友 (1)"));
    }
}

void TestContacts::escEmptiesTheSearchFirst()
{
    addContact(QStringLiteral("李明"), QStringLiteral("朋友"), QStringLiteral("1"));
    TfrmDianhua list;
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QTest::keyClick(&list, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(list.edtSearch->hasFocus());
    QTest::keyClicks(list.edtSearch, QStringLiteral("lm"));
    QCOMPARE(list.edtSearch->text(), QStringLiteral("lm"));
    QTest::keyClick(list.edtSearch, Qt::Key_Escape);
    QCOMPARE(list.edtSearch->text(), QString());
    QVERIFY(list.isVisible());
    QTest::keyClick(list.edtSearch, Qt::Key_Escape);
    QVERIFY(!list.isVisible());
}

void TestContacts::vCardRoundTripThroughTheList()
{
    m_ui->insertRow(QStringLiteral("Dianhua"), {{"xingming", QStringLiteral("李明")},
                                                {"leixing", QStringLiteral("朋友")},
                                                {"xingbie", QStringLiteral("男")},
                                                {"shouji", QStringLiteral("13800138000")},
                                                {"dianhua", QStringLiteral("010-1234")},
                                                {"qq", QStringLiteral("10001")},
                                                {"email", QStringLiteral("lm@example.com")},
                                                {"addr", QStringLiteral("北京市; 1号")},
                                                {"remark", QStringLiteral("两行\n备注")},
                                                {"ord", QStringLiteral("1")}});
    addContact(QStringLiteral("张三"), QStringLiteral("同事"), QStringLiteral("2"));
    const QString columns = QStringLiteral("select xingming, leixing, xingbie, shouji, dianhua, qq, email, addr, "
                                           "remark from Dianhua where xingming = '李明'");
    const QStringList before = queryRows(dm->ADOConnection1(), columns);

    TfrmDianhua list;
    list.show();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("contacts.vcf"));
    // Only the contacts a search leaves are written.
    list.edtSearch->setText(QStringLiteral("lm"));
    FileDialog::setNextFileName(file);
    list.btnToVCard->click();
    QCOMPARE(FileDialog::lastProposedPath(), QStringLiteral("通讯录_Pelorin.vcf"));
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QCOMPARE(bytes.count("BEGIN:VCARD"), 1);

    // Read back while 李明 is still there: shown as present and not ticked.
    FileDialog::setNextFileName(file);
    bool seen = false;
    onNextModal([&seen](QWidget* window) {
        auto* preview = qobject_cast<TfrmVCardImport*>(window);
        QVERIFY(preview);
        QCOMPARE(preview->lvCards->topLevelItem(0)->text(0), QStringLiteral("已存在"));
        QCOMPARE(preview->lvCards->topLevelItem(0)->checkState(0), Qt::Unchecked);
        seen = true;
        preview->reject();
    });
    list.btnFromVCard->click();
    QVERIFY(seen);

    dm->ExecSql(QStringLiteral("delete from Dianhua where xingming = '李明'"));
    list.edtSearch->clear();
    FileDialog::setNextFileName(file);
    onNextModal([](QWidget* window) {
        auto* preview = qobject_cast<TfrmVCardImport*>(window);
        QCOMPARE(preview->lvCards->topLevelItem(0)->text(0), QStringLiteral("新"));
        QCOMPARE(preview->lvCards->topLevelItem(0)->checkState(0), Qt::Checked);
        preview->btnImport->click();
    });
    list.btnFromVCard->click();
    QCOMPARE(queryRows(dm->ADOConnection1(), columns), before);
    QCOMPARE(list.query().rowCount(), 2);
}

QTEST_MAIN(TestContacts)
#include "tst_contacts.moc"
