#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QTimer;

// The eye-rest window: every screen goes black for a minute, with a wandering
// text that alternates between "休息休息。。。" and "看看窗外。。。" and a clock
// in the middle of the primary screen. It closes by itself after 60 seconds,
// or through 退出 in its context menu.
class TfrmRest : public QDialog {
    Q_OBJECT

public:
    explicit TfrmRest(QWidget* owner = nullptr);
    ~TfrmRest() override;

    static constexpr int kCloseAfter = 60000;
    static constexpr int kMoveEvery = 3000;

    QLabel* Label1 = nullptr;
    QLabel* clock = nullptr;
    QTimer* TimerPos = nullptr;
    QTimer* TimerClose = nullptr;

    // The black windows over the other screens, if any.
    const QList<QWidget*>& otherScreens() const { return m_others; }

    // Where the label goes for the draws a and b (0 to 9): a tenth-step of the
    // room the window leaves around it.
    static QPoint labelPosition(int a, int b, const QSize& window, const QSize& label);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Esc does not end the rest: only the minute or 退出 does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TimerPosTimer();
    void updateClock();
    void centreClock();
    void coverOtherScreens();

    QList<QWidget*> m_others;
    QTimer* m_clockTimer = nullptr;
};
