#pragma once

#include "forms/TfrmBase.h"

class QLabel;
class QPlainTextEdit;

// A pad for frequently used text, copied from here into the editors through
// the clipboard. Its text lives in BaseString.txt in the working folder.
class TfrmBaseString : public TfrmBase {
    Q_OBJECT

public:
    explicit TfrmBaseString(QWidget* owner = nullptr);

    static QString filePath();

    QLabel* Panel1 = nullptr;
    QPlainTextEdit* BaseString = nullptr;

    void done(int result) override;
};
