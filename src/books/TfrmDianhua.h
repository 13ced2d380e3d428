#pragma once

#include "forms/TfrmBaseList.h"

// The address book: every contact, in the user's own order.
class TfrmDianhua : public TfrmBaseList {
    Q_OBJECT

public:
    explicit TfrmDianhua(QWidget* owner = nullptr);

protected:
    TfrmBaseEdit* createEditor() override;
};
