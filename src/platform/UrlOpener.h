#pragma once

#include <QList>
#include <QUrl>

// Opens an address in the user's web browser. Tests record instead.
class UrlOpener {
public:
    static void open(const QUrl& url);

    static void setRecording(bool on);
    static QList<QUrl> opened();
};
