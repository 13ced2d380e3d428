// Opening the module windows from the main window's buttons and menu.
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
#include "forms/WebView.h"

#include <QAction>
#include <QPushButton>

namespace {
// Each window is created on demand with the main window as owner, gets the
// button's hint as its status text, is shown modally and freed when it closes.
template <typename Window> void openFromButton(TfrmMain* main, const QPushButton* button)
{
    Window window(main);
    window.setStatusText(button->toolTip());
    window.exec();
}

// Windows opened from the menu keep their status bar as designed.
template <typename Window> void openFromMenu(TfrmMain* main)
{
    Window window(main);
    window.exec();
}
} // namespace

void TfrmMain::connectModuleButtons()
{
    const auto button = [this](const char* name) { return findChild<QPushButton*>(QString::fromLatin1(name)); };
    const auto onClick = [this, button](const char* name, auto open) {
        QPushButton* source = button(name);
        connect(source, &QPushButton::clicked, this, [this, source, open] { open(this, source); });
    };
    onClick("McxButton1", openFromButton<TfrmDianhua>);
    onClick("McxButton2", openFromButton<TfrmJishi>);
    onClick("McxButton4", openFromButton<TfrmBeiwang>);
    onClick("cxButton1", openFromButton<TfrmIncome>);
    onClick("cxButton2", openFromButton<TfrmSpend>);
    onClick("cxButton4", [](TfrmMain* main, const QPushButton* source) {
        openFromButton<TfrmParam>(main, source);
        // Changed parameters count for every window opened from now on, and
        // a new capture frequency at once.
        dm->LoadParams();
        main->ArmJiepingTimer();
    });
    onClick("McxButton5", [](TfrmMain* main, const QPushButton* source) {
        openFromButton<TfrmMyUrl>(main, source);
        main->WebBrowser2->reload();
    });
    connect(findChild<QAction*>(QStringLiteral("N10")), &QAction::triggered, this,
            [this] { openFromMenu<TfrmJiankang>(this); });
    connect(findChild<QAction*>(QStringLiteral("N11")), &QAction::triggered, this,
            [this] { openFromMenu<TfrmBaobao>(this); });
}
