#include "Startup.h"

#include "BalloonHints.h"
#include "ErrorReport.h"
#include "FontMapper.h"
#include "Tdm.h"
#include "TerminationWatcher.h"
#include "TfrmMain.h"

#include <QApplication>

void Startup::prepareEnvironment()
{
    // The ffmpeg media backend crashes without an audio device; GStreamer
    // simply plays nothing.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    }
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
    m_watcher = std::make_unique<TerminationWatcher>();
    QObject::connect(m_watcher.get(), &TerminationWatcher::terminationRequested, m_mainWindow.get(),
                     &TfrmMain::endSession);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, m_mainWindow.get(), [](QSessionManager&) {});
}

Startup::~Startup()
{
    m_watcher.reset();
    m_mainWindow.reset();
    delete dm;
    dm = nullptr;
}
