#pragma once

#include <QLineEdit>

// One-line text edit. MOnm can carry a value the window keeps beside the text.
class TMcxTextEdit : public QLineEdit {
public:
    explicit TMcxTextEdit(QWidget* parent = nullptr)
        : QLineEdit(parent)
    {
    }

    // Hides the text behind one "*" a character, as the login and password
    // windows expect, whatever mask the platform style draws.
    static void setPasswordMode(QLineEdit* edit)
    {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    }

    QString MOnm;
};
