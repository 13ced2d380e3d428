#pragma once

#include "books/TfrmBbMeasureEdit.h"

// One height measurement.
class TfrmBbShengaoEdit : public TfrmBbMeasureEdit {
    Q_OBJECT

public:
    explicit TfrmBbShengaoEdit(QWidget* owner = nullptr);
};
