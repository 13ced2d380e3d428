#pragma once

#include "forms/TfrmBaseList.h"

class QPlainTextEdit;

// The user's own links. Closing the window writes them as the page my.htm
// beside the program, which the main window shows in its link bar.
class TfrmMyUrl : public TfrmBaseList {
    Q_OBJECT

public:
    explicit TfrmMyUrl(QWidget* owner = nullptr);

    QPushButton* btnCreate = nullptr;
    QPlainTextEdit* memHtml = nullptr;

    static QString pagePath();

    void done(int result) override;

public Q_SLOTS:
    void writePage();

protected:
    TfrmBaseEdit* createEditor() override;

private:
    bool m_pageWritten = false;
};
