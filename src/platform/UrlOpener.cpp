#include "platform/UrlOpener.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace {
struct Recorder {
    bool on = false;
    QList<QUrl> urls;
};

Recorder& recorder()
{
    static Recorder instance;
    return instance;
}

// "www.qq.com" or "qq.com:8080": labels of letters, digits and hyphens with at
// least one dot between them, as a user types a site's name.
bool looksLikeHost(QStringView host)
{
    const qsizetype colon = host.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QStringView port = host.mid(colon + 1);
        bool number = false;
        if (port.toUInt(&number) > 65535 || !number) {
            return false;
        }
        host = host.left(colon);
    }
    if (!host.contains(QLatin1Char('.')) || host.startsWith(QLatin1Char('.')) || host.endsWith(QLatin1Char('.')) ||
        host.contains(QLatin1String(".."))) {
        return false;
    }
    for (const QChar c : host) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('.')) {
            return false;
        }
    }
    return true;
}
} // namespace

std::optional<QUrl> UrlOpener::openable(const QString& address)
{
    const QString text = address.trimmed();
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("ftp")) {
        if (url.isValid() && !url.host().isEmpty()) {
            return url;
        }
        return std::nullopt;
    }
    if (scheme == QLatin1String("mailto")) {
        if (url.isValid() && !url.path().isEmpty()) {
            return url;
        }
        return std::nullopt;
    }
    // "www.qq.com:8080" reads as the scheme "www.qq.com"; a real scheme has no dot.
    if (!scheme.isEmpty() && !scheme.contains(QLatin1Char('.'))) {
        return std::nullopt;
    }
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[/?#\\\\]")));
    if (!looksLikeHost(QStringView(text).left(end < 0 ? text.size() : end))) {
        return std::nullopt;
    }
    const QUrl web(QStringLiteral("http://") + text, QUrl::StrictMode);
    if (!web.isValid() || web.host().isEmpty()) {
        return std::nullopt;
    }
    return web;
}

bool UrlOpener::open(const QUrl& url)
{
    const std::optional<QUrl> target = openable(url.toString(QUrl::FullyEncoded));
    if (!target) {
        return false;
    }
    if (recorder().on) {
        recorder().urls.append(*target);
        return true;
    }
    return QDesktopServices::openUrl(*target);
}

void UrlOpener::setRecording(bool on)
{
    recorder() = Recorder{on, {}};
}

QList<QUrl> UrlOpener::opened()
{
    return recorder().urls;
}
