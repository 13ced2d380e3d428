#pragma once

#include "forms/TfrmBaseListFilter.h"

// Dated notes with a type and a state, the recent ones first.
class TfrmJishi : public TfrmBaseListFilter {
    Q_OBJECT

public:
    explicit TfrmJishi(QWidget* owner = nullptr);
};
