#pragma once

#include "books/TfrmMainIO.h"

class TfrmIncome : public TfrmMainIO {
    Q_OBJECT

public:
    explicit TfrmIncome(QWidget* owner = nullptr);
};
