#pragma once

#include "forms/TfrmBaseListFilter.h"

// The baby's lessons and schooling over a date range, newest first.
class TfrmBbJiaoyu : public TfrmBaseListFilter {
    Q_OBJECT

public:
    explicit TfrmBbJiaoyu(QWidget* owner = nullptr);
};
