// One screen capture of the primary screen: grab, compress at quality 70 and
// write, beside its floor measured in the same run (the grab alone, plus
// tjCompress2 alone on the same pixels, plus a raw write of the same bytes),
// and how long the window thread is busy per capture.
#include "BenchMeasure.h"
#include "core/data/AppPaths.h"
#include "core/data/Clock.h"
#include "core/data/Tdm.h"
#include "platform/Platform.h"
#include "platform/ScreenGrab.h"
#include "tools/ScreenCapture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>
#include <turbojpeg.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    AppPaths::setProgramFolder(dir.path());
    AppPaths::setWorkingFolder(dir.path());
    dm = new Tdm;
    dm->jiepingpath = dir.path() + QLatin1Char('/');
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    std::printf("screen %dx%d (%s)\n", size.width(), size.height(), qPrintable(QGuiApplication::platformName()));

    ScreenCapture capture(nullptr);
    QElapsedTimer uiBusy;
    std::vector<double> uiTimes;
    const Timing whole = measureMs(15, [&] {
        uiBusy.start();
        capture.CaptureScreen(0, 0, size.width(), size.height());
        uiTimes.push_back(double(uiBusy.nsecsElapsed()) / 1e6);
        capture.waitForWriting();
    });

    // The floor: the same three steps by the bare libraries.
    QImage grabbed;
    const Timing grab = measureMs(15, [&] { grabbed = Platform::screenGrab().grab(QRect(QPoint(0, 0), size)); });
    grabbed = grabbed.convertToFormat(QImage::Format_RGB32);
    tjhandle compressor = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long jpegSize = 0;
    const Timing compress = measureMs(15, [&] {
        tjCompress2(compressor, grabbed.constBits(), grabbed.width(), int(grabbed.bytesPerLine()), grabbed.height(),
                    TJPF_BGRX, &jpeg, &jpegSize, TJSAMP_420, 70, 0);
    });
    const QByteArray path = QDir(dir.path()).filePath(QStringLiteral("raw.jpg")).toLocal8Bit();
    const Timing write = measureMs(15, [&] {
        std::FILE* file = std::fopen(path.constData(), "wb");
        std::fwrite(jpeg, 1, jpegSize, file);
        std::fflush(file);
        fsync(fileno(file));
        std::fclose(file);
    });
    tjFree(jpeg);
    tjDestroy(compressor);
    const Timing floor{grab.median + compress.median + write.median, 0, 0};

    std::sort(uiTimes.begin(), uiTimes.end());
    std::printf("floor parts: grab %.2f ms, tjCompress2 %.2f ms (%lu bytes), write %.2f ms\n", grab.median,
                compress.median, jpegSize, write.median);
    reportAgainstFloor("capture: grab + compress + write", whole, floor, "<= 1.3x");
    std::printf("window thread busy per capture: %.2f ms median, %.2f ms worst (goal < 15 ms)\n",
                uiTimes[uiTimes.size() / 2], uiTimes.back());
    delete dm;
    dm = nullptr;
    return 0;
}
