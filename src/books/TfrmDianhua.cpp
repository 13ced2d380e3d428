#include "books/TfrmDianhua.h"

#include "books/TfrmDianhuaEdit.h"
#include "books/TfrmVCardImport.h"
#include "core/data/AtomicFile.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "core/vcard/VCard.h"
#include "forms/DataGrid.h"
#include "forms/ErrorReport.h"
#include "forms/FileDialog.h"
#include "forms/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>

TfrmDianhua::TfrmDianhua(QWidget* owner)
    : TfrmBaseList(owner)
{
    setWindowTitle(QStringLiteral("通讯录"));
    TableName = QStringLiteral("Dianhua");
    OrderSql = QStringLiteral(" order by ord");
    offerDeleteAndExport();
    btnToVCard = addToolButton(QStringLiteral("btnToVCard"), QStringLiteral("导出vCard"));
    btnFromVCard = addToolButton(QStringLiteral("btnFromVCard"), QStringLiteral("导入vCard"));
    ErrorReport::connect(btnToVCard, &QPushButton::clicked, this, &TfrmDianhua::exportVCard);
    ErrorReport::connect(btnFromVCard, &QPushButton::clicked, this, &TfrmDianhua::importVCard);
    addTip();
    setColumns({
        {QStringLiteral("姓名"), QStringLiteral("xingming"), 120},
        {QStringLiteral("类型"), QStringLiteral("leixing"), 120},
        {QStringLiteral("性别"), QStringLiteral("xingbie"), 60},
        {QStringLiteral("手机"), QStringLiteral("shouji"), 120},
        {QStringLiteral("电话"), QStringLiteral("dianhua"), 120},
        {QStringLiteral("QQ"), QStringLiteral("qq"), 120},
        {QStringLiteral("Email"), QStringLiteral("email"), 200},
        {QStringLiteral("地址"), QStringLiteral("addr"), 300},
        {QStringLiteral("编号(排序)"), QStringLiteral("ord"), 120},
    });
    setAdPage(dm->adCommon);
}

TfrmBaseEdit* TfrmDianhua::createEditor()
{
    return new TfrmDianhuaEdit(this);
}

void TfrmDianhua::exportVCard()
{
    const QString path = FileDialog::getSaveFileName(
        this, safeFileName(windowTitle() + QLatin1Char('_') + dm->title + QStringLiteral(".vcf")),
        QStringLiteral("*.vcf (*.vcf)"), QStringLiteral("vcf"));
    if (path.isEmpty()) {
        return;
    }
    QList<VCardContact> contacts;
    const Query& rows = query();
    const auto text = [&rows](int row, const char* column) {
        const int index = rows.columnIndex(QString::fromLatin1(column));
        return index < 0 ? QString() : rows.textAt(row, index);
    };
    for (const int row : cxGrid1->displayOrder()) {
        contacts.append({text(row, "xingming"), text(row, "leixing"), text(row, "xingbie"), text(row, "shouji"),
                         text(row, "dianhua"), text(row, "qq"), text(row, "email"), text(row, "addr"),
                         text(row, "remark")});
    }
    QString error;
    if (!AtomicFile::writeAll(path, VCard::write(contacts), &error)) {
        MessageBox::error(this, QStringLiteral("无法保存“%1”（%2）。").arg(QDir::toNativeSeparators(path), error));
    }
}

void TfrmDianhua::importVCard()
{
    const QString path = FileDialog::getOpenFileName(this, QStringLiteral("vCard (*.vcf *.vcard);;* (*)"));
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        MessageBox::error(this, QStringLiteral("无法读取“%1”。").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QList<VCard::Card> cards = VCard::read(file.readAll());
    if (cards.isEmpty()) {
        MessageBox::information(this, QStringLiteral("“%1”中没有联系人。").arg(QDir::toNativeSeparators(path)));
        return;
    }
    TfrmVCardImport preview(cards, this);
    if (preview.exec() == QDialog::Accepted && preview.added() > 0) {
        requery();
    }
}
