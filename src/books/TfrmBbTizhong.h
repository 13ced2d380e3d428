#pragma once

#include "forms/TfrmBaseListFilter.h"

// The baby's weight measurements over a date range, newest first.
class TfrmBbTizhong : public TfrmBaseListFilter {
    Q_OBJECT

public:
    explicit TfrmBbTizhong(QWidget* owner = nullptr);
};
