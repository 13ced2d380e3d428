#include "core/data/Tdm.h"
#include "forms/MessageBox.h"
#include "forms/TfrmBaseEdit.h"
#include "forms/TfrmBaseString.h"
#include "mock/UiFixture.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <optional>

class TestBaseString : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void init() { m_ui.emplace(QDateTime(QDate(2026, 12, 11), QTime(9, 0)), UiFixture::Data::Later); }

    void cleanup() { m_ui.reset(); }

    void firstOpeningIsEmptyAndKeepsItsFileInTheWorkingFolder();
    void keepsThePadBetweenOpenings();
    void emptiedPadLeavesAnEmptyFile();
    void unwritableFolderIsQuiet();
    void opensFromEveryEditor();

private:
    QByteArray fileBytes() const
    {
        QFile file(TfrmBaseString::filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    std::optional<UiFixture> m_ui;
};

void TestBaseString::firstOpeningIsEmptyAndKeepsItsFileInTheWorkingFolder()
{
    TfrmBaseString pad;
    QCOMPARE(pad.BaseString->toPlainText(), QString());
    QCOMPARE(TfrmBaseString::filePath(), m_ui->db.folder() + QStringLiteral("/BaseString.txt"));
}

void TestBaseString::keepsThePadBetweenOpenings()
{
    {
        TfrmBaseString pad;
        pad.show();
        pad.BaseString->setPlainText(QStringLiteral("我的地址\n我的邮箱"));
        pad.close();
    }
    QCOMPARE(fileBytes(), QByteArray("\xE6\x88\x91\xE7\x9A\x84\xE5\x9C\xB0\xE5\x9D\x80\r\n"
                                     "\xE6\x88\x91\xE7\x9A\x84\xE9\x82\xAE\xE7\xAE\xB1\r\n"));
    TfrmBaseString again;
    QCOMPARE(again.BaseString->toPlainText(), QStringLiteral("我的地址\n我的邮箱"));
}

void TestBaseString::emptiedPadLeavesAnEmptyFile()
{
    {
        TfrmBaseString pad;
        pad.BaseString->setPlainText(QStringLiteral("x"));
        pad.reject();
    }
    {
        TfrmBaseString pad;
        pad.BaseString->clear();
        pad.reject();
    }
    QCOMPARE(fileBytes(), QByteArray());
}

void TestBaseString::unwritableFolderIsQuiet()
{
    AppPaths::setWorkingFolder(m_ui->db.folder() + QStringLiteral("/missing"));
    TfrmBaseString pad;
    pad.BaseString->setPlainText(QStringLiteral("丢失"));
    pad.reject();
    QVERIFY(MessageBox::shown().isEmpty());
    QVERIFY(!QFile::exists(TfrmBaseString::filePath()));
}

void TestBaseString::opensFromEveryEditor()
{
    m_ui->startDm();
    {
        TfrmBaseEdit editor;
        editor.TableName = QStringLiteral("Beiwang");
        editor.show();
        QWidget* owner = nullptr;
        QString text;
        onNextModal([&](QWidget* modal) {
            owner = modal->parentWidget();
            auto* pad = static_cast<TfrmBaseString*>(modal);
            pad->BaseString->setPlainText(QStringLiteral("从编辑窗口"));
            pad->reject();
        });
        editor.cxButton1->click();
        QCOMPARE(owner, &editor);
        QCOMPARE(editor.cxButton1->text(), QStringLiteral("常用字符"));
    }
    m_ui->stopDm();
    TfrmBaseString pad;
    QCOMPARE(pad.BaseString->toPlainText(), QStringLiteral("从编辑窗口"));
}

QTEST_MAIN(TestBaseString)
#include "tst_basestring.moc"
