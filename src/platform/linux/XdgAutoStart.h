#pragma once

#include "platform/AutoStart.h"

// An autostart entry PEL.desktop in the user's XDG autostart folder
// ($XDG_CONFIG_HOME/autostart, by default ~/.config/autostart).
class XdgAutoStart : public AutoStart {
public:
    // An empty folder means the user's XDG autostart folder.
    explicit XdgAutoStart(QString folder = {});

    bool isEnabledFor(const QString& executable) const override;
    void enable(const QString& executable) override;
    void disable() override;

    QString entryPath() const;
    static QString defaultFolder();
    // The Exec value that starts the executable: the whole path quoted.
    static QString execLine(const QString& executable);

private:
    QString m_folder;
};
