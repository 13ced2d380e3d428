#pragma once

#include "core/vcard/VCard.h"
#include "forms/TfrmBase.h"

class QPushButton;
class QTreeWidget;

// The cards of a vCard file before they are added: new ones ticked, those
// already in the book (same name and mobile) and unreadable ones not.
// 导入 adds the ticked ones in one transaction.
class TfrmVCardImport : public TfrmBase {
    Q_OBJECT

public:
    TfrmVCardImport(const QList<VCard::Card>& cards, QWidget* owner = nullptr);

    void importChosen();

    int added() const { return m_added; }

    QTreeWidget* lvCards = nullptr;
    QPushButton* btnImport = nullptr;

private:
    QList<VCard::Card> m_cards;
    int m_added = 0;
};
