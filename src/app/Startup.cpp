#include "app/Startup.h"

#include "app/TfrmMain.h"
#include "core/data/AppPaths.h"
#include "core/data/DbError.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "core/web/LinkPage.h"
#include "forms/BalloonHints.h"
#include "forms/ErrorReport.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "platform/Platform.h"
#include "platform/SessionEnd.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

namespace {
std::unique_ptr<SingleInstance>& programFolderClaim()
{
    static std::unique_ptr<SingleInstance> claim;
    return claim;
}
} // namespace

bool Startup::claimProgramFolder()
{
    programFolderClaim() = std::make_unique<SingleInstance>(AppPaths::programFolder());
    switch (programFolderClaim()->claim()) {
    case SingleInstance::Claim::First:
        return true;
    case SingleInstance::Claim::Running:
        break;
    case SingleInstance::Claim::Silent:
        MessageBox::information(nullptr, QStringLiteral("Pelorin已经在运行。"));
        break;
    }
    programFolderClaim().reset();
    return false;
}

bool Startup::installTranslations()
{
    // Month and day names in the standard dialogs (the save dialog's dates)
    // follow the default locale, not the translation.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

Startup::Startup()
{
    installTranslations();
    QCoreApplication::setApplicationName(QStringLiteral("Pelorin"));
    // The program ends only through the confirmed exit or the session's end,
    // not when its last visible window goes into the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    FontMapper::install();
    QApplication::setFont(FontMapper::font(FontMapper::song(), 16));
    BalloonHints::install();

    // A database that failed is reported once, by the first step of the main
    // window's show sequence that needs it.
    dm = new Tdm;
    reportReadOnlyDatabase();
    writeMissingLinkPage();
    m_mainWindow = std::make_unique<TfrmMain>();

    // The desktop session is ending: agree at once, ask nothing.
    if (programFolderClaim()) {
        QObject::connect(programFolderClaim().get(), &SingleInstance::activationRequested, m_mainWindow.get(),
                         &TfrmMain::restoreApp);
    }

    m_sessionEnd.reset(Platform::createSessionEnd(nullptr));
    ErrorReport::connect(m_sessionEnd.get(), &SessionEnd::ending, m_mainWindow.get(), &TfrmMain::endSession);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, m_mainWindow.get(), [](QSessionManager&) {});
}

void Startup::reportReadOnlyDatabase()
{
    if (dm->creationError().isEmpty() && dm->readOnly()) {
        // Said now, not at the first save that would fail.
        MessageBox::error(nullptr, QStringLiteral("数据库只读，修改将无法保存。"));
    }
}

void Startup::writeMissingLinkPage()
{
    // Without a page the link bar would show an error; a fresh install gets
    // the page of its (so far empty) list of links.
    const QString path = AppPaths::programFile(QStringLiteral("my.htm"));
    if (QFileInfo::exists(path)) {
        return;
    }
    QList<LinkPage::Link> links;
    if (dm->creationError().isEmpty()) {
        try {
            Query query(dm->ADOConnection1());
            query.setSql(QStringLiteral("select * from MyUrl where 1=1 order by ord"));
            query.open();
            for (query.first(); !query.eof(); query.next()) {
                links.append({query.asText(QStringLiteral("title")), query.asText(QStringLiteral("url"))});
            }
        } catch (const DbError&) {
            links.clear();
        }
    }
    // A folder that cannot be written keeps the link bar's error page.
    LinkPage::write(path, links);
}

Startup::~Startup()
{
    m_sessionEnd.reset();
    m_mainWindow.reset();
    delete dm;
    dm = nullptr;
    // The folder is free for the next start once the database is closed.
    programFolderClaim().reset();
}
