#pragma once

#include "forms/TfrmBaseTool.h"

class QTreeWidget;

// 备份与恢复: the daily copies with their date, size and the records of each
// book; 立即备份, 恢复 and 打开备份文件夹.
class TfrmBackup : public TfrmBaseTool {
    Q_OBJECT

public:
    explicit TfrmBackup(QWidget* owner = nullptr);

    // True once a copy was put in place: the opener reloads what it read.
    bool restored() const { return m_restored; }

    void backupNow();
    void restoreSelected();
    void refresh();

    QPushButton* btnBackup = nullptr;
    QPushButton* btnRestore = nullptr;
    QPushButton* btnFolder = nullptr;
    QTreeWidget* lvCopies = nullptr;

private:
    bool m_restored = false;
};
