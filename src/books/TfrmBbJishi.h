#pragma once

#include "forms/TfrmBaseListFilter.h"

// The baby's notes over a date range, newest first.
class TfrmBbJishi : public TfrmBaseListFilter {
    Q_OBJECT

public:
    explicit TfrmBbJishi(QWidget* owner = nullptr);
};
