#pragma once

#include <memory>

class SessionEnd;
class TfrmMain;

// Program start, in its order: the application's services, the data module,
// then the main window. Destroying it frees the main window and then the data
// module, last.
class Startup {
public:
    // Before the application object exists.
    static void prepareEnvironment();
    // Qt's own words (standard buttons, file dialogs) in Chinese; false when
    // the translation is not installed.
    static bool installTranslations();

    // One program per program folder: false when another start runs there; it
    // has been asked to come to the front, and this start is to end.
    static bool claimProgramFolder();

    Startup();
    ~Startup();

    TfrmMain* mainWindow() const { return m_mainWindow.get(); }

private:
    static void reportReadOnlyDatabase();
    static void writeMissingLinkPage();

    std::unique_ptr<SessionEnd> m_sessionEnd;
    std::unique_ptr<TfrmMain> m_mainWindow;
};
