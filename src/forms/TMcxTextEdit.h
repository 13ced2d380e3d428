#pragma once

#include <QLineEdit>

// One-line text edit. MOnm can carry a value the window keeps beside the text.
class TMcxTextEdit : public QLineEdit {
public:
    explicit TMcxTextEdit(QWidget* parent = nullptr)
        : QLineEdit(parent)
    {
    }

    QString MOnm;
};
