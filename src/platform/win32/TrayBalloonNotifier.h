#pragma once

#include "platform/DesktopNotifier.h"

#include <memory>

class QSystemTrayIcon;

// A balloon from the notification area, shown by an icon of its own that
// goes away with the balloon.
class TrayBalloonNotifier : public DesktopNotifier {
public:
    TrayBalloonNotifier();
    ~TrayBalloonNotifier() override;

    void notify(const QString& title, const QString& body) override;

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
};
