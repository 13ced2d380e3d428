#pragma once

#include "forms/ShadowStyle.h"

#include <QLabel>
#include <QWidget>

// Places an editor's controls: each bears its column's name, has its caption
// label 24 pixels above it, and a required one carries the shadow and the
// hint that names it in the message.
class EditorLayout {
public:
    enum Need { Optional, Required };

    struct Place {
        int x;
        int y;
        int width;
        int height = 0; // 0: the control's natural height
    };

    explicit EditorLayout(QWidget* window)
        : m_window(window)
    {
    }

    template <typename Control> Control* add(const char* column, const char* caption, Place place, Need need = Optional)
    {
        auto* label = new QLabel(QString::fromUtf8(caption), m_window);
        label->setObjectName(QStringLiteral("lbl_") + QString::fromUtf8(column));
        label->setGeometry(place.x, place.y - 24, place.width, 20);
        auto* control = new Control(m_window);
        control->setObjectName(QString::fromUtf8(column));
        const int height = place.height > 0 ? place.height : control->sizeHint().height();
        control->setGeometry(place.x, place.y, place.width, height);
        label->setBuddy(control);
        if (need == Required) {
            control->setToolTip(QString::fromUtf8(caption));
            ShadowStyle::set(control, true);
        }
        return control;
    }

    static void setTabOrder(std::initializer_list<QWidget*> order)
    {
        QWidget* previous = nullptr;
        for (QWidget* control : order) {
            if (previous) {
                QWidget::setTabOrder(previous, control);
            }
            previous = control;
        }
    }

private:
    QWidget* m_window;
};
