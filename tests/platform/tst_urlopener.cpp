#include "forms/WebView.h"
#include "platform/UrlOpener.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Links hand only web and mail addresses to the desktop; an address typed
// without a scheme is a web site; scripts, local files and relative
// addresses open nothing.
class TestUrlOpener : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void init() { UrlOpener::setRecording(true); }

    void cleanup() { UrlOpener::setRecording(false); }

    void openable_data();
    void openable();

    void linkBarOpensOnlyWebAndMail_data() { openable_data(); }

    void linkBarOpensOnlyWebAndMail();
    void servicePageLinksStayInside();
};

void TestUrlOpener::openable_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened"); // empty: refused
    QTest::newRow("https") << "https://www.example.org/a?b=1"
                           << "https://www.example.org/a?b=1";
    QTest::newRow("http") << "http://www.qq.com"
                          << "http://www.qq.com";
    QTest::newRow("ftp") << "ftp://ftp.example.org/pub"
                         << "ftp://ftp.example.org/pub";
    QTest::newRow("mail") << "mailto:someone@example.org"
                          << "mailto:someone@example.org";
    QTest::newRow("upper-case scheme") << "HTTP://www.qq.com/"
                                       << "http://www.qq.com/";
    QTest::newRow("typed without scheme") << "www.qq.com"
                                          << "http://www.qq.com";
    QTest::newRow("typed with path") << "news.qq.com/a/b.htm"
                                     << "http://news.qq.com/a/b.htm";
    QTest::newRow("typed with port") << "www.qq.com:8080/x"
                                     << "http://www.qq.com:8080/x";
    QTest::newRow("typed with spaces around") << "  www.qq.com "
                                              << "http://www.qq.com";
    QTest::newRow("Chinese site name") << "例子.中国"
                                       << "http://例子.中国";
    QTest::newRow("script") << "javascript:alert(1)"
                            << "";
    QTest::newRow("script in capitals") << "JavaScript:alert(1)"
                                        << "";
    QTest::newRow("local file") << "file:///etc/passwd"
                                << "";
    QTest::newRow("data") << "data:text/html,<b>x</b>"
                          << "";
    QTest::newRow("Windows path") << "C:\\Windows\\notepad.exe"
                                  << "";
    QTest::newRow("absolute path") << "/etc/passwd"
                                   << "";
    QTest::newRow("relative path") << "sub/page.htm"
                                   << "";
    QTest::newRow("parent folder") << "../pel.dll"
                                   << "";
    QTest::newRow("dot folder") << "./my.htm"
                                << "";
    QTest::newRow("anchor") << "#top"
                            << "";
    QTest::newRow("bare word") << "qq"
                               << "";
    QTest::newRow("web address without host") << "http:///x"
                                              << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestUrlOpener::openable()
{
    QFETCH(QString, address);
    QFETCH(QString, opened);
    const std::optional<QUrl> url = UrlOpener::openable(address);
    QCOMPARE(url.has_value(), !opened.isEmpty());
    if (url) {
        QCOMPARE(*url, QUrl(opened));
    }
}

void TestUrlOpener::linkBarOpensOnlyWebAndMail()
{
    QFETCH(QString, address);
    QFETCH(QString, opened);
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("my.htm"));
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<body><a href=\"x\">x</a></body>");
    file.close();
    WebView view;
    view.navigate(QUrl::fromLocalFile(page));
    QList<QUrl> signalled;
    connect(&view, &WebView::externalLinkClicked, this, [&](const QUrl& url) { signalled << url; });

    // The browser hands over the href as the page wrote it.
    Q_EMIT view.anchorClicked(QUrl(address));

    const QList<QUrl> expected = opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(opened)};
    QCOMPARE(UrlOpener::opened(), expected);
    QCOMPARE(signalled, expected);
    QCOMPARE(view.url(), QUrl::fromLocalFile(page));
}

void TestUrlOpener::servicePageLinksStayInside()
{
    WebView view;
    view.navigate(QUrl(QStringLiteral("pel://pelorin/pel/main/?qq=&v=1.1")));
    Q_EMIT view.anchorClicked(QUrl(QStringLiteral("../ad/common/")));
    QCOMPARE(view.url(), QUrl(QStringLiteral("pel://pelorin/pel/ad/common/")));
    QCOMPARE(UrlOpener::opened(), QList<QUrl>());
    // Refused outright, also when asked directly.
    QVERIFY(!UrlOpener::open(QUrl(QStringLiteral("file:///etc/passwd"))));
    QCOMPARE(UrlOpener::opened(), QList<QUrl>());
}

QTEST_MAIN(TestUrlOpener)
#include "tst_urlopener.moc"
