#pragma once

#include "platform/DesktopShortcut.h"

// A desktop entry "<title>.desktop" in the user's desktop folder, as the XDG
// user directories name it, marked executable so the desktop trusts it.
class XdgDesktopShortcut : public DesktopShortcut {
public:
    // An empty folder means the user's desktop folder.
    explicit XdgDesktopShortcut(QString folder = {});

    bool make(const QString& title, const QString& executable, const QString& workingFolder) override;

    QString folder() const { return m_folder; }

    static QString defaultFolder();

private:
    QString m_folder;
};
