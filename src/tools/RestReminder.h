#pragma once

#include <QObject>

class QAction;
class QTimer;

// Opens the eye-rest window every huyanshijian minutes while the program
// runs, exactly as the menu item 护眼休息 does.
class RestReminder : public QObject {
    Q_OBJECT

public:
    // restItem: the menu item the timer performs.
    RestReminder(QAction* restItem, QObject* parent);

    // Reads the interval once; a changed parameter counts from the next start.
    void ArmRestTimer();

    QTimer* TimerRest = nullptr;

private:
    void TimerRestTimer();

    QAction* m_restItem;
};
