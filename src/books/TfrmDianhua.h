#pragma once

#include "forms/TfrmBaseList.h"

// The address book: every contact, in the user's own order.
class TfrmDianhua : public TfrmBaseList {
    Q_OBJECT

public:
    explicit TfrmDianhua(QWidget* owner = nullptr);

    // The contacts listed (date filter and search applied) to one vCard file.
    void exportVCard();
    // Cards of a file, shown first; the chosen ones are added.
    void importVCard();

    QPushButton* btnToVCard = nullptr;
    QPushButton* btnFromVCard = nullptr;

protected:
    TfrmBaseEdit* createEditor() override;
};
