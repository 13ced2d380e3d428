#pragma once

#include "books/TfrmBbMeasureEdit.h"

// One weight measurement.
class TfrmBbTizhongEdit : public TfrmBbMeasureEdit {
    Q_OBJECT

public:
    explicit TfrmBbTizhongEdit(QWidget* owner = nullptr);
};
