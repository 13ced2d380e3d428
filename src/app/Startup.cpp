#include "app/Startup.h"

#include "app/TfrmMain.h"
#include "core/data/Tdm.h"
#include "forms/BalloonHints.h"
#include "forms/ErrorReport.h"
#include "forms/FontMapper.h"
#include "platform/Platform.h"
#include "platform/SessionEnd.h"

#include <QApplication>

void Startup::prepareEnvironment()
{
#ifdef Q_OS_LINUX
    // The ffmpeg media backend crashes without an audio device; GStreamer
    // simply plays nothing.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    }
#endif
}

Startup::Startup()
{
    QCoreApplication::setApplicationName(QStringLiteral("Pelorin"));
    // The program ends only through the confirmed exit or the session's end,
    // not when its last visible window goes into the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    FontMapper::install();
    QApplication::setFont(FontMapper::font(FontMapper::song(), 16));
    BalloonHints::install();

    dm = new Tdm;
    if (!dm->creationError().isEmpty()) {
        ErrorReport::show(dm->creationError());
    }
    m_mainWindow = std::make_unique<TfrmMain>();

    // The desktop session is ending: agree at once, ask nothing.
    m_sessionEnd.reset(Platform::createSessionEnd(nullptr));
    ErrorReport::connect(m_sessionEnd.get(), &SessionEnd::ending, m_mainWindow.get(), &TfrmMain::endSession);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, m_mainWindow.get(), [](QSessionManager&) {});
}

Startup::~Startup()
{
    m_sessionEnd.reset();
    m_mainWindow.reset();
    delete dm;
    dm = nullptr;
}
