#pragma once

#include <QLineEdit>

// A text edit with a button at its right end, for picking a value from
// elsewhere; the editor binds it through its tag.
class TMcxButtonEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TMcxButtonEdit(QWidget* parent = nullptr);

Q_SIGNALS:
    void buttonClicked();
};
