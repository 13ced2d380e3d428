#pragma once

#include <QPlainTextEdit>

class TMcxMemo : public QPlainTextEdit {
public:
    explicit TMcxMemo(QWidget* parent = nullptr)
        : QPlainTextEdit(parent)
    {
        setTabChangesFocus(true);
    }
};
