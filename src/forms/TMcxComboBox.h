#pragma once

#include <QComboBox>

// Combo box whose text can also be typed; it starts with no item chosen.
class TMcxComboBox : public QComboBox {
public:
    explicit TMcxComboBox(QWidget* parent = nullptr)
        : QComboBox(parent)
    {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
    }

    // Adds items without changing the text the box shows.
    void addItemsKeepingText(const QStringList& items)
    {
        const QString text = currentText();
        addItems(items);
        setCurrentIndex(-1);
        setEditText(text);
    }
};
