#pragma once

#include <QTextBrowser>
#include <QUrl>

// A small embedded browser: shows a page by its address. Pages of the
// program's own service (pel:) are answered in-process, file: pages are read
// from disk; a page that cannot be shown gets an error page of its own.
// Links to web and mail addresses open in the user's browser or mail
// program; other links open nothing.
class WebView : public QTextBrowser {
    Q_OBJECT

public:
    explicit WebView(QWidget* parent = nullptr);

    void navigate(const QUrl& url);
    void reload();

    QUrl url() const { return m_url; }

    bool showsErrorPage() const { return m_error; }

    static QString errorPage(const QString& address, const QString& reason);

Q_SIGNALS:
    void externalLinkClicked(const QUrl& url);

private:
    void followLink(const QUrl& link);

    QUrl m_url;
    bool m_error = false;
};
