#pragma once

#include <QCheckBox>

class TMcxCheckBox : public QCheckBox {
public:
    explicit TMcxCheckBox(QWidget* parent = nullptr)
        : QCheckBox(parent)
    {
    }

    explicit TMcxCheckBox(const QString& text, QWidget* parent = nullptr)
        : QCheckBox(text, parent)
    {
    }
};
