#include "books/TfrmMyUrl.h"

#include "books/TfrmMyUrlEdit.h"
#include "core/data/AppPaths.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "core/data/TextFile.h"
#include "core/web/LinkPage.h"
#include "forms/DataGrid.h"
#include "forms/ErrorReport.h"
#include "forms/MessageBox.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>

TfrmMyUrl::TfrmMyUrl(QWidget* owner)
    : TfrmBaseList(owner)
{
    setWindowTitle(QStringLiteral("我的网址"));
    TableName = QStringLiteral("MyUrl");
    OrderSql = QStringLiteral(" order by ord");
    offerDeleteAndExport();
    addTip();
    btnCreate = new QPushButton(QStringLiteral("生成(隐藏)"), pnlTool);
    btnCreate->setObjectName(QStringLiteral("btnCreate"));
    btnCreate->setFixedSize(115, 25);
    btnCreate->hide();
    toolLayout()->insertWidget(toolLayout()->count() - 1, btnCreate);
    ErrorReport::connect(btnCreate, &QPushButton::clicked, this, [this] {
        writePage();
        close();
    });
    memHtml = new QPlainTextEdit(this);
    memHtml->setObjectName(QStringLiteral("memHtml"));
    memHtml->hide();

    setColumns({
        {QStringLiteral("标题"), QStringLiteral("title"), 200},
        {QStringLiteral("网址"), QStringLiteral("url"), 600},
        {QStringLiteral("编号(排序)"), QStringLiteral("ord"), 120},
    });
    cxGrid1->setGroupByBoxVisible(false);
    setAdPage(dm->adCommon);
}

QString TfrmMyUrl::pagePath()
{
    return AppPaths::programFile(QStringLiteral("my.htm"));
}

TfrmBaseEdit* TfrmMyUrl::createEditor()
{
    return new TfrmMyUrlEdit(this);
}

void TfrmMyUrl::writePage()
{
    // The query lists every link by 编号(排序), as the page shows them.
    QList<LinkPage::Link> links;
    for (query().first(); !query().eof(); query().next()) {
        links.append({query().asText(QStringLiteral("title")), query().asText(QStringLiteral("url"))});
    }
    query().first();
    memHtml->setPlainText(LinkPage::lines(links).join(QLatin1Char('\n')));
    QString error;
    if (!TextFile::write(pagePath(), memHtml->toPlainText(), &error)) {
        MessageBox::error(this, QStringLiteral("无法保存网址页“%1”（%2），原有网址页保持不变。")
                                    .arg(QDir::toNativeSeparators(pagePath()), error));
    }
    m_pageWritten = true;
}

void TfrmMyUrl::done(int result)
{
    // However the window closes, the page is written once first. A failure is
    // reported and the window stays open.
    if (!m_pageWritten && !ErrorReport::guard([this] { writePage(); })) {
        return;
    }
    TfrmBaseList::done(result);
}
