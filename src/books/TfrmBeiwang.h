#pragma once

#include "forms/TfrmBaseList.h"

// Long-lived memos under a title, in the user's own order.
class TfrmBeiwang : public TfrmBaseList {
    Q_OBJECT

public:
    explicit TfrmBeiwang(QWidget* owner = nullptr);

protected:
    TfrmBaseEdit* createEditor() override;
};
