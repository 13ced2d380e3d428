#pragma once

#include "forms/TfrmBase.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QToolButton;
class WebView;

// Turns lines of text into seven decorated variants at once, each in its own
// box with its own copy button. The symbol comes from the twelve buttons,
// the keyboard, or the special character picker.
class TfrmStr : public TfrmBase {
    Q_OBJECT

public:
    explicit TfrmStr(QWidget* owner = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QToolButton* SpeedButton[14] = {}; // 1 to 12 the symbols, 13 更多...
    QPushButton* Button1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;
    QPlainTextEdit* Memo4 = nullptr;
    QPlainTextEdit* Memo5 = nullptr;
    QPlainTextEdit* Memo6 = nullptr;
    QPlainTextEdit* Memo7 = nullptr;
    QPlainTextEdit* Memo8 = nullptr;
    QPushButton* btnCopy[8] = {}; // 复制1 to 复制7
    QWidget* pnlStack = nullptr;  // holds Memo2 to Memo5 and Memo8
    WebView* WebBrowser1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    void Button1Click();
    void SpeedButton13Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* addMemo(QWidget* parent, const char* name);
    void SizeMemos();
    void copyFrom(QPlainTextEdit* memo);

    bool m_shown = false;
};
