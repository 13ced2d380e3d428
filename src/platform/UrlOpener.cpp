#include "platform/UrlOpener.h"

#include <QDesktopServices>

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
} // namespace

void UrlOpener::open(const QUrl& url)
{
    if (recorder().on) {
        recorder().urls.append(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void UrlOpener::setRecording(bool on)
{
    recorder() = Recorder{on, {}};
}

QList<QUrl> UrlOpener::opened()
{
    return recorder().urls;
}
