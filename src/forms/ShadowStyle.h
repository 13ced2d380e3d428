#pragma once

class QWidget;

// The mark of a required field: the control casts a shadow, which the user
// learns to read as "must be filled in"; the editor tests such controls on save.
class ShadowStyle {
public:
    static void set(QWidget* control, bool on);
    static bool isOn(const QWidget* control);
};
