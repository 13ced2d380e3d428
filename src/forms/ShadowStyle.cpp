#include "forms/ShadowStyle.h"

#include <QGraphicsDropShadowEffect>
#include <QWidget>

namespace {
const char* const kShadowProperty = "pelShadow";
}

void ShadowStyle::set(QWidget* control, bool on)
{
    control->setProperty(kShadowProperty, on);
    if (!on) {
        control->setGraphicsEffect(nullptr);
        return;
    }
    auto* shadow = new QGraphicsDropShadowEffect(control);
    shadow->setOffset(3, 3);
    shadow->setBlurRadius(2);
    shadow->setColor(QColor(80, 80, 80, 170));
    control->setGraphicsEffect(shadow);
}

bool ShadowStyle::isOn(const QWidget* control)
{
    return control->property(kShadowProperty).toBool();
}
