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

    Startup();
    ~Startup();

    TfrmMain* mainWindow() const { return m_mainWindow.get(); }

private:
    std::unique_ptr<SessionEnd> m_sessionEnd;
    std::unique_ptr<TfrmMain> m_mainWindow;
};
