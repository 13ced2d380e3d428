#pragma once

#include "forms/TfrmBaseListFilter.h"

// The baby's height measurements over a date range, newest first.
class TfrmBbShengao : public TfrmBaseListFilter {
    Q_OBJECT

public:
    explicit TfrmBbShengao(QWidget* owner = nullptr);
};
