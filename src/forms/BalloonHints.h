#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class QWidget;

// Shows every hint of the program as a balloon in bold Kai type, wrapped at
// 300 pixels. A container can switch the hints of its controls off.
class BalloonHints : public QObject {
    Q_OBJECT

public:
    static constexpr int kWrapWidth = 300;

    // Installs the balloons for the whole application.
    static BalloonHints* install();

    static void setHintsShown(QWidget* container, bool shown);
    // Whether hovering the widget shows its hint.
    static bool isHintShown(const QWidget* widget);

    QLabel* balloon() const { return m_balloon; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit BalloonHints(QObject* parent);
    void showFor(QWidget* widget, const QPoint& globalPos);
    void hideBalloon();

    QLabel* m_balloon = nullptr;
    QPointer<QWidget> m_owner;
};
