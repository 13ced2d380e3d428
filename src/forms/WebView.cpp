#include "forms/WebView.h"

#include "core/data/TextFile.h"
#include "core/web/ServicePages.h"
#include "forms/ErrorReport.h"
#include "platform/UrlOpener.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

WebView::WebView(QWidget* parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setFrameShape(QFrame::NoFrame);
    ErrorReport::connect(this, &QTextBrowser::anchorClicked, this, &WebView::followLink);
}

QString WebView::errorPage(const QString& address, const QString& reason)
{
    return QStringLiteral("<html><body><h3>无法显示该网页</h3><p>%1</p><p style=\"color:gray\">%2</p></body></html>")
        .arg(reason.toHtmlEscaped(), address.toHtmlEscaped());
}

void WebView::navigate(const QUrl& url)
{
    m_url = url;
    m_error = false;
    const QString address = url.toString();
    if (url.scheme() == ServicePages::scheme()) {
        if (const std::optional<QString> page = ServicePages::page(url)) {
            setHtml(*page);
            return;
        }
        m_error = true;
        setHtml(errorPage(address, QStringLiteral("找不到该网页。")));
        return;
    }
    if (url.isLocalFile()) {
        QFile file(url.toLocalFile());
        if (file.open(QIODevice::ReadOnly)) {
            setSearchPaths({QFileInfo(file).absolutePath()});
            setHtml(TextFile::decode(file.readAll()));
            return;
        }
        m_error = true;
        setHtml(errorPage(QDir::toNativeSeparators(url.toLocalFile()), QStringLiteral("找不到文件。")));
        return;
    }
    m_error = true;
    setHtml(errorPage(address, QStringLiteral("无法连接到该网址。")));
}

void WebView::reload()
{
    navigate(m_url);
}

void WebView::followLink(const QUrl& link)
{
    const QUrl resolved = m_url.resolved(link);
    if (resolved.scheme() == ServicePages::scheme()) {
        navigate(resolved);
        return;
    }
    // Taken as the user typed it, not resolved against the page's own file:
    // "www.qq.com" is a site, and nothing opens a local file or runs a script.
    const std::optional<QUrl> target = UrlOpener::openable(link.toString());
    if (!target) {
        return;
    }
    Q_EMIT externalLinkClicked(*target);
    UrlOpener::open(*target);
}
