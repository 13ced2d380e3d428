#pragma once

#include <QLabel>

class TMLabel : public QLabel {
public:
    explicit TMLabel(const QString& text = {}, QWidget* parent = nullptr)
        : QLabel(text, parent)
    {
    }
};
