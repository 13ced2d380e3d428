#pragma once

#include "core/tools/ShutdownScript.h"
#include "forms/TfrmBaseTool.h"

class QComboBox;
class QPlainTextEdit;

// 定时关机: schedules, lists and cancels a shutdown, shuts down at once or
// aborts one under way, each by writing a short script of the system's own
// commands and starting it.
class TfrmPcClose : public TfrmBaseTool {
    Q_OBJECT

public:
    explicit TfrmPcClose(QWidget* owner = nullptr);

    static constexpr int kWidth = 497;
    static constexpr int kHeight = 376;

    QComboBox* McxComboBox1 = nullptr; // hour
    QComboBox* McxComboBox2 = nullptr; // minute
    QPushButton* btnSchedule = nullptr;
    QPushButton* btnList = nullptr;
    QPushButton* btnNow = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnAbort = nullptr;
    QPlainTextEdit* memExplain = nullptr;

    // Writes the script of the action and starts it; false when it could not
    // be written (said in a message) or started.
    bool run(ShutdownScript::Action action);

private:
    QPushButton* addAction(QWidget* body, const char* name, const char* caption, QRect place,
                           ShutdownScript::Action action);
};
