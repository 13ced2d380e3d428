#include "app/TfrmBackup.h"

#include "core/backup/BackupStore.h"
#include "core/data/Clock.h"
#include "core/data/Tdm.h"
#include "forms/ErrorReport.h"
#include "forms/MessageBox.h"

#include <QDesktopServices>
#include <QDir>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

TfrmBackup::TfrmBackup(QWidget* owner)
    : TfrmBaseTool(owner)
{
    setObjectName(QStringLiteral("frmBackup"));
    setWindowTitle(QStringLiteral("备份与恢复"));
    resize(900, 480);
    btnBackup = addToolButton(QStringLiteral("btnBackup"), QStringLiteral("立即备份"));
    btnRestore = addToolButton(QStringLiteral("btnRestore"), QStringLiteral("恢复"));
    btnFolder = addToolButton(QStringLiteral("btnFolder"), QStringLiteral("打开备份文件夹"));
    btnFolder->setFixedWidth(130);

    lvCopies = new QTreeWidget(this);
    lvCopies->setObjectName(QStringLiteral("lvCopies"));
    lvCopies->setRootIsDecorated(false);
    lvCopies->setHeaderLabels({QStringLiteral("日期"), QStringLiteral("大小"), QStringLiteral("各本记录数")});
    lvCopies->header()->resizeSection(0, 130);
    lvCopies->header()->resizeSection(1, 100);
    windowLayout()->addWidget(lvCopies, 1);

    ErrorReport::connect(btnBackup, &QPushButton::clicked, this, &TfrmBackup::backupNow);
    ErrorReport::connect(btnRestore, &QPushButton::clicked, this, &TfrmBackup::restoreSelected);
    ErrorReport::connect(btnFolder, &QPushButton::clicked, this, [] {
        const QString folder = BackupStore(dm->ADOConnection1().filePath()).folder();
        QDir().mkpath(folder);
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    });
    refresh();
}

void TfrmBackup::refresh()
{
    lvCopies->clear();
    const QList<BackupStore::Copy> copies = BackupStore(dm->ADOConnection1().filePath()).copies();
    for (const BackupStore::Copy& copy : copies) {
        QStringList counts;
        for (const auto& [book, records] : BackupStore::census(copy.path)) {
            counts << QStringLiteral("%1 %2").arg(book).arg(records);
        }
        auto* item = new QTreeWidgetItem(
            lvCopies,
            {copy.date.toString(QStringLiteral("yyyy-MM-dd")), QLocale(QLocale::Chinese).formattedDataSize(copy.size),
             counts.isEmpty() ? QStringLiteral("无法读取") : counts.join(QStringLiteral("，"))});
        item->setData(0, Qt::UserRole, copy.path);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (lvCopies->topLevelItemCount() > 0) {
        lvCopies->setCurrentItem(lvCopies->topLevelItem(0));
    }
    btnRestore->setEnabled(lvCopies->topLevelItemCount() > 0);
}

void TfrmBackup::backupNow()
{
    QString error;
    if (!BackupStore(dm->ADOConnection1().filePath()).backup(dm->ADOConnection1(), Clock::today(), &error)) {
        MessageBox::error(this, QStringLiteral("备份失败：") + error);
    }
    refresh();
}

void TfrmBackup::restoreSelected()
{
    const QTreeWidgetItem* item = lvCopies->currentItem();
    if (!item) {
        return;
    }
    if (MessageBox::question(
            this, QStringLiteral("确定用%1的备份恢复数据吗？当前数据会先保存为今天的备份。").arg(item->text(0))) !=
        MessageBox::Yes) {
        return;
    }
    QString error;
    if (!BackupStore(dm->ADOConnection1().filePath())
             .restore(item->data(0, Qt::UserRole).toString(), dm->ADOConnection1(), Clock::today(), &error)) {
        MessageBox::error(this, error);
        refresh();
        return;
    }
    m_restored = true;
    dm->LoadParams();
    MessageBox::information(this, QStringLiteral("已恢复%1的备份。").arg(item->text(0)));
    refresh();
}
