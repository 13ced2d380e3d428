#pragma once

#include <QList>
#include <QUrl>
#include <optional>

// Opens an address in the user's web browser or mail program. Tests record instead.
class UrlOpener {
public:
    // Only web and mail addresses are handed to the desktop; anything else
    // (javascript:, file:, a relative address) is refused with false.
    static bool open(const QUrl& url);

    // The address a link may open: http, https, ftp and mailto. An address
    // typed without a scheme ("www.qq.com") is a web address.
    static std::optional<QUrl> openable(const QString& address);

    static void setRecording(bool on);
    static QList<QUrl> opened();
};
