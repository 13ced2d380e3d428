// Opening the module windows from the main window's buttons and menu, and
// what the main window does when one of them closes.
#include "app/TfrmBackup.h"
#include "app/TfrmMain.h"
#include "books/TfrmBaobao.h"
#include "books/TfrmBeiwang.h"
#include "books/TfrmDianhua.h"
#include "books/TfrmIncome.h"
#include "books/TfrmJiankang.h"
#include "books/TfrmJishi.h"
#include "books/TfrmMyUrl.h"
#include "books/TfrmParam.h"
#include "books/TfrmSpend.h"
#include "core/data/Tdm.h"
#include "forms/ErrorReport.h"
#include "forms/WebView.h"
#include "stats/TfrmIOStat.h"
#include "stats/TfrmIncomeStat.h"
#include "stats/TfrmSpendStat.h"
#include "tools/TfrmPcClose.h"
#include "tools/TfrmRest.h"
#include "tools/TfrmStr.h"
#include "tools/TfrmYueGong.h"

#include <QAction>
#include <QPushButton>

namespace {
enum AfterClose { Nothing, ReloadParams, ReloadLinkBar, ReloadAll };

// Each window is created on demand with the main window as owner, shown
// modally and freed when it closes. Opened from a button it gets the button's
// hint as its status text; opened from the menu it keeps its own.
using Open = void (*)(QWidget* owner, const QString& statusText);

template <typename Window> void open(QWidget* owner, const QString& statusText)
{
    Window window(owner);
    if constexpr (requires { window.setStatusText(statusText); }) {
        if (!statusText.isNull()) {
            window.setStatusText(statusText);
        }
    }
    window.exec();
}

struct Module {
    const char* opener; // a button or a menu item, by name
    Open open;
    AfterClose afterClose;
};

const Module kModules[] = {
    {"McxButton1", open<TfrmDianhua>, Nothing},
    {"McxButton2", open<TfrmJishi>, Nothing},
    {"McxButton4", open<TfrmBeiwang>, Nothing},
    {"cxButton1", open<TfrmIncome>, Nothing},
    {"cxButton2", open<TfrmSpend>, Nothing},
    {"cxButton3", open<TfrmIncomeStat>, Nothing},
    {"cxButton5", open<TfrmSpendStat>, Nothing},
    {"cxButton6", open<TfrmIOStat>, Nothing},
    // Changed parameters count for every window opened from now on, and a
    // new capture frequency at once.
    {"cxButton4", open<TfrmParam>, ReloadParams},
    {"McxButton5", open<TfrmMyUrl>, ReloadLinkBar},
    {"mmiClose", open<TfrmPcClose>, Nothing},
    {"mmiRest", open<TfrmRest>, Nothing},
    {"mmiStr", open<TfrmStr>, Nothing},
    {"N9", open<TfrmYueGong>, Nothing},
    {"N10", open<TfrmJiankang>, Nothing},
    {"N11", open<TfrmBaobao>, Nothing},
    // A restored database may hold other parameters, links and alarms.
    {"mmiBackup", open<TfrmBackup>, ReloadAll},
};
} // namespace

void TfrmMain::connectModules()
{
    for (const Module& module : kModules) {
        const QString name = QString::fromLatin1(module.opener);
        const Open openWindow = module.open;
        const int afterClose = module.afterClose;
        if (auto* button = findChild<QPushButton*>(name)) {
            ErrorReport::connect(button, &QPushButton::clicked, this, [this, button, openWindow, afterClose] {
                openWindow(this, button->toolTip());
                afterModuleClosed(afterClose);
            });
        } else if (auto* item = findChild<QAction*>(name)) {
            ErrorReport::connect(item, &QAction::triggered, this, [this, openWindow, afterClose] {
                openWindow(this, QString());
                afterModuleClosed(afterClose);
            });
        }
    }
}

void TfrmMain::afterModuleClosed(int action)
{
    switch (AfterClose(action)) {
    case Nothing:
        break;
    case ReloadParams:
        dm->LoadParams();
        ArmJiepingTimer();
        break;
    case ReloadLinkBar:
        WebBrowser2->reload();
        break;
    case ReloadAll:
        dm->LoadParams();
        ArmJiepingTimer();
        ArmRestTimer();
        ArmAlertTimer();
        WebBrowser2->reload();
        break;
    }
}
