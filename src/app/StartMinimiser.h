#pragma once

#include <QObject>

class QTimer;
class TfrmMain;

// Applies 启动后最小化 once, shortly after start, when the main window has
// been shown and its sequence has run.
class StartMinimiser : public QObject {
    Q_OBJECT

public:
    explicit StartMinimiser(TfrmMain* main);

    QTimer* TimerMinApp = nullptr;

private:
    void TimerMinAppTimer();

    TfrmMain* m_main;
};
