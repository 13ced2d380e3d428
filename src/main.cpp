#include "app/PelApplication.h"
#include "app/Startup.h"
#include "app/TfrmMain.h"

int main(int argc, char** argv)
{
    Startup::prepareEnvironment();
    PelApplication app(argc, argv);
    if (!Startup::claimProgramFolder()) {
        return 0;
    }
    Startup startup;
    startup.mainWindow()->show();
    return app.exec();
}
