#pragma once

#include <QFrame>

class TMPanel : public QFrame {
public:
    explicit TMPanel(QWidget* parent = nullptr)
        : QFrame(parent)
    {
    }
};
