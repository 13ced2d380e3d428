#pragma once

#include "books/TfrmMainIO.h"

class TfrmSpend : public TfrmMainIO {
    Q_OBJECT

public:
    explicit TfrmSpend(QWidget* owner = nullptr);
};
