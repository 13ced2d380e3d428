#pragma once

#include "forms/TfrmBaseList.h"

// The user parameters: each row's description and value, one value edited at
// a time; rows are neither added nor deleted here.
class TfrmParam : public TfrmBaseList {
    Q_OBJECT

public:
    explicit TfrmParam(QWidget* owner = nullptr);

protected:
    TfrmBaseEdit* createEditor() override;
    void editorPrepared(TfrmBaseEdit* editor, EditorMode mode) override;
};
