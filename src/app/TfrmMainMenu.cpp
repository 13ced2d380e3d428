// The drop-down menu 更多 of the main window.
#include "app/TfrmMain.h"
#include "forms/ErrorReport.h"
#include "forms/WebView.h"
#include "platform/Platform.h"
#include "platform/ProgramLauncher.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

namespace {
struct ToolItem {
    const char* name;
    const char* caption;
    const char* command;
};

QAction* addItem(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    return action;
}

void addSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromUtf8(name));
}

QMenu* addSubmenu(QMenu* menu, const char* name, const char* caption)
{
    QMenu* submenu = menu->addMenu(QString::fromUtf8(caption));
    submenu->setObjectName(QString::fromUtf8(name));
    submenu->menuAction()->setObjectName(QString::fromUtf8(name));
    return submenu;
}
} // namespace

void TfrmMain::buildMenu()
{
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    McxButton6->setMenu(PopupMenu2);

    // Module windows that have no button of their own.
    addItem(PopupMenu2, "mmiClose", "定时关机");
    addItem(PopupMenu2, "mmiRest", "护眼休息");
    addItem(PopupMenu2, "mmiStr", "字符串特效");
    addSeparator(PopupMenu2, "N8");
    addItem(PopupMenu2, "N9", "月供测算");
    addItem(PopupMenu2, "N10", "健康档案");
    addItem(PopupMenu2, "N11", "宝宝成长日记");
    addItem(PopupMenu2, "mmiBackup", "备份与恢复");
    addSeparator(PopupMenu2, "N2");

    // Programs of the desktop, each started for a maximised window.
    const ToolItem programs[] = {
        {"mmiCalc", "计算器", "calc"},
        {"N3", "记事本", "notepad"},
        {"N5", "任务管理器", "taskmgr"},
        {"N6", "资源管理器", "explorer"},
    };
    for (const ToolItem& item : programs) {
        QAction* action = addItem(PopupMenu2, item.name, item.caption);
        const QString command = QString::fromUtf8(item.command);
        action->setData(command);
        ErrorReport::connect(action, &QAction::triggered, this,
                             [command] { Platform::launcher().run(command, ProgramLauncher::Window::Maximised); });
    }

    // Tools: every item carries its command in its hint and shares one handler.
    QMenu* tools = addSubmenu(PopupMenu2, "N15", "更多工具");
    const auto addTools = [this](QMenu* menu, std::initializer_list<ToolItem> items) {
        for (const ToolItem& item : items) {
            QAction* action = addItem(menu, item.name, item.caption);
            action->setData(QString::fromUtf8(item.command));
            action->setToolTip(QString::fromUtf8(item.command));
            ErrorReport::connect(action, &QAction::triggered, this, [action] {
                Platform::launcher().run(action->data().toString(), ProgramLauncher::Window::Normal);
            });
        }
    };
    addTools(tools, {{"miPopMenu", "屏幕键盘", "osk"},
                     {"N16", "写字板", "write"},
                     {"N17", "画图", "mspaint"},
                     {"N18", "远程桌面", "mstsc"},
                     {"N19", "放大镜", "magnify"},
                     {"N21", "音量控制", "sndvol32"}});
    addTools(addSubmenu(tools, "N4", "配置工具"), {{"N20", "用户和组", "lusrmgr.msc"},
                                                   {"N24", "服务", "services.msc"},
                                                   {"N25", "组策略", "rsop.msc"},
                                                   {"N26", "组件服务", "dcomcnfg"},
                                                   {"N27", "注册表", "regedit"},
                                                   {"N28", "系统配置", "msconfig"}});
    addTools(addSubmenu(tools, "N22", "计算机管理"), {{"N29", "计算机管理", "compmgmt.msc"},
                                                      {"N30", "设备管理器", "devmgmt.msc"},
                                                      {"directx1", "Directx", "dxdiag"},
                                                      {"Windows1", "Windows版本", "winver"},
                                                      {"N31", "计算机性能", "perfmon.msc"}});
    addTools(addSubmenu(tools, "N23", "磁盘工具"), {{"N32", "磁盘管理", "diskmgmt.msc"},
                                                    {"N33", "磁盘碎片整理", "dfrg.msc"},
                                                    {"N34", "磁盘清理", "cleanmgr"},
                                                    {"N35", "共享文件夹", "fsmgmt.msc"}});
    addSeparator(PopupMenu2, "N12");
    ErrorReport::connect(addItem(PopupMenu2, "N7", "刷新首页"), &QAction::triggered, this, &TfrmMain::refreshHomePage);
    addSeparator(PopupMenu2, "N13");
    ErrorReport::connect(addItem(PopupMenu2, "N14", "密码设置"), &QAction::triggered, this,
                         &TfrmMain::openPasswordWindow);
    mmiLogout = addItem(PopupMenu2, "mmiLogout", "注销");
    mmiLogout->setVisible(false);
    ErrorReport::connect(mmiLogout, &QAction::triggered, this, &TfrmMain::CheckLogin);
}

void TfrmMain::refreshHomePage()
{
    WebBrowser1->reload();
}
