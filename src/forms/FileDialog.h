#pragma once

#include <QString>

class QWidget;

// The save-file dialog, answerable by tests in advance.
class FileDialog {
public:
    // Returns the chosen path, or an empty text when the user cancels.
    static QString getSaveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                                   const QString& defaultSuffix);

    // Test mode: the next call returns this path (empty = cancel) without a dialog.
    static void setNextFileName(const QString& path);
    static QString lastProposedPath();

private:
    static bool& hasNext();
    static QString& next();
    static QString& proposed();
};
