// Opening the module windows from the main window's buttons.
#include "TfrmDianhua.h"
#include "TfrmMain.h"

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
} // namespace

void TfrmMain::connectModuleButtons()
{
    auto* contacts = findChild<QPushButton*>(QStringLiteral("McxButton1"));
    connect(contacts, &QPushButton::clicked, this, [this, contacts] { openFromButton<TfrmDianhua>(this, contacts); });
}
