// Saves pictures of the alarm list and the alarm editor, to look at the real
// fonts and layout: shots_alarmbook <folder>. Run under a display (Xvfb).
#include "alarms/TfrmAlert.h"
#include "alarms/TfrmAlertEdit.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "forms/TMcxDateEdit.h"
#include "mock/MockClock.h"
#include "mock/TestDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <cstdio>

namespace {
void addAlarm(const QDateTime& due, int kind, const QString& title)
{
    Query query(dm->ADOConnection1());
    query.setSql(QStringLiteral("select * from alert where oid = 0"));
    query.open();
    query.append();
    query.setValue(QStringLiteral("dt"), due);
    query.setValue(QStringLiteral("knd"), kind);
    query.setValue(QStringLiteral("title"), title);
    query.post();
}

void save(QWidget* window, const QString& folder, const char* name)
{
    QTest::qWait(300);
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    window->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FontMapper::install();
    MessageBox::setTestMode(true);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    const QDateTime now(QDate(2026, 3, 5), QTime(10, 24, 36));
    MockClock::install(now);
    TestDatabase db;
    dm = new Tdm;
    addAlarm(now.addSecs(-3600 * 26), 1, QStringLiteral("吃降压药"));
    addAlarm(now.addSecs(-600), 2, QStringLiteral("早会：准备周报"));
    addAlarm(now.addDays(-3), 0, QStringLiteral("给妈妈打电话"));
    addAlarm(now.addDays(2), 4, QStringLiteral("交房租"));
    addAlarm(now.addDays(20), 6, QStringLiteral("结婚纪念日"));
    addAlarm(now.addDays(90), 5, QStringLiteral("季度体检"));
    {
        TfrmAlert list;
        list.setStatusText(QStringLiteral("提醒闹铃！"));
        list.show();
        list.cbKnd->setCurrentIndex(TfrmAlert::All);
        list.resize(1100, 520);
        save(&list, folder, "h-alarmbook-list.png");
        list.cbKnd->setCurrentIndex(TfrmAlert::Due);
        save(&list, folder, "h-alarmbook-list-due.png");

        TfrmAlertEdit editor(&list);
        editor.setWindowTitle(QStringLiteral("新增"));
        editor.show();
        editor.edtTitle->setText(QStringLiteral("下午三点去幼儿园接孩子"));
        editor.cbKnd->setCurrentIndex(2);
        save(&editor, folder, "h-alarmbook-editor.png");
        editor.deDt->showCalendar();
        QTest::qWait(300);
        const QPixmap popup = editor.deDt->calendarPopup()->grab();
        popup.save(QDir(folder).filePath(QStringLiteral("h-alarmbook-dropdown.png")));
        std::printf("%s\n", qPrintable(QDir(folder).filePath(QStringLiteral("h-alarmbook-dropdown.png"))));
    }
    delete dm;
    dm = nullptr;
    return 0;
}
