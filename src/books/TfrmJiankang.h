#pragma once

#include "forms/TfrmBaseListFilter.h"

// Dated health records of the household, each with a type and a title.
class TfrmJiankang : public TfrmBaseListFilter {
    Q_OBJECT

public:
    explicit TfrmJiankang(QWidget* owner = nullptr);
};
