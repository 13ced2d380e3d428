#pragma once

#include <QString>
#include <functional>

class QWidget;

// The save-file dialog, answerable by tests in advance.
class FileDialog {
public:
    // Returns the chosen path, or an empty text when the user cancels.
    static QString getSaveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                                   const QString& defaultSuffix);

    // A file to read; the same seam as saving.
    static QString getOpenFileName(QWidget* parent, const QString& filter);

    // The next call returns this path (empty = cancel) without a dialog.
    static void setNextFileName(const QString& path);
    static QString lastProposedPath();

    // Test mode: no dialog is ever shown. A call nobody answered in advance is
    // a fault of the test: it cancels, and is reported through the hook.
    using UnansweredHook = std::function<void(const QString& proposedPath)>;
    static void setTestMode(bool on);
    static void setUnansweredHook(UnansweredHook hook);
    static bool hasPendingFileName();

private:
    struct State;
    static State& state();
};
