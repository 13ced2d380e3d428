#include "tools/ScreenCapture.h"

#include "core/data/Clock.h"
#include "core/data/Tdm.h"
#include "core/tools/CapturePath.h"
#include "core/tools/CaptureWriter.h"
#include "core/tools/JpegEncoder.h"
#include "platform/Platform.h"
#include "platform/ScreenGrab.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QThreadPool>
#include <QTimer>
#include <condition_variable>
#include <mutex>

struct ScreenCapture::InFlight {
    std::mutex mutex;
    std::condition_variable done;
    bool writing = false;

    void finish()
    {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            writing = false;
        }
        done.notify_all();
    }
};

ScreenCapture::ScreenCapture(QObject* parent)
    : QObject(parent)
    , m_inFlight(std::make_shared<InFlight>())
{
    TimerJieping = new QTimer(this);
    TimerJieping->setObjectName(QStringLiteral("TimerJieping"));
    TimerJieping->setInterval(60000);
    connect(TimerJieping, &QTimer::timeout, this, &ScreenCapture::TimerJiepingTimer);
}

ScreenCapture::~ScreenCapture()
{
    waitForWriting();
}

void ScreenCapture::ArmJiepingTimer()
{
    const std::optional<int> interval = CapturePath::timerInterval(dm->jiepingpinlv);
    if (!interval) {
        TimerJieping->stop();
        return;
    }
    TimerJieping->setInterval(*interval);
    TimerJieping->start();
}

void ScreenCapture::TimerJiepingTimer()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    CaptureScreen(0, 0, size.width(), size.height());
}

void ScreenCapture::CaptureScreen(int left, int top, int right, int bottom)
{
    if (isWriting()) {
        return;
    }
    QImage image = Platform::screenGrab().grab(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    if (image.isNull()) {
        // The display refused: nothing is written and nothing is said.
        return;
    }
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
        image = std::move(image).convertToFormat(QImage::Format_RGB32);
    }
    {
        const std::lock_guard<std::mutex> lock(m_inFlight->mutex);
        m_inFlight->writing = true;
    }
    const QString prefix = dm->jiepingpath;
    const QDateTime moment = Clock::now();
    QThreadPool::globalInstance()->start([image = std::move(image), prefix, moment, inFlight = m_inFlight] {
        const QByteArray jpeg =
            JpegEncoder::encodeBgrx(image.constBits(), image.width(), image.height(), image.bytesPerLine(), kQuality);
        CaptureWriter::save(prefix, moment, jpeg);
        inFlight->finish();
    });
}

bool ScreenCapture::isWriting() const
{
    const std::lock_guard<std::mutex> lock(m_inFlight->mutex);
    return m_inFlight->writing;
}

void ScreenCapture::waitForWriting() const
{
    std::unique_lock<std::mutex> lock(m_inFlight->mutex);
    m_inFlight->done.wait(lock, [this] { return !m_inFlight->writing; });
}
