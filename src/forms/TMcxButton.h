#pragma once

#include <QPushButton>

class TMcxButton : public QPushButton {
public:
    explicit TMcxButton(const QString& text = {}, QWidget* parent = nullptr)
        : QPushButton(text, parent)
    {
    }

    QString MValStr;
    int MValInt = 0;
};
