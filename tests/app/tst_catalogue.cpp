#include "app/PelApplication.h"
#include "app/TfrmMain.h"
#include "app/TfrmPwdChange.h"
#include "books/TfrmBaobao.h"
#include "books/TfrmBbJiaoyuEdit.h"
#include "books/TfrmBbJishiEdit.h"
#include "books/TfrmBbShengaoEdit.h"
#include "books/TfrmBbTizhongEdit.h"
#include "books/TfrmBeiwang.h"
#include "books/TfrmBeiwangEdit.h"
#include "books/TfrmDianhuaEdit.h"
#include "books/TfrmIncomeEdit.h"
#include "books/TfrmJishiEdit.h"
#include "books/TfrmSpendEdit.h"
#include "forms/FontMapper.h"
#include "forms/TfrmBaseString.h"
#include "mock/UiFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <optional>

namespace {
// Every window the catalogue knows, made as the program makes it.
std::unique_ptr<QWidget> makeWindow(const QString& name)
{
    static const QHash<QString, std::function<QWidget*()>> makers{
        {"TfrmMain", [] { return new TfrmMain; }},
        {"TfrmPwdChange", [] { return new TfrmPwdChange; }},
        {"TfrmBaseString", [] { return new TfrmBaseString; }},
        {"TfrmBaobao", [] { return new TfrmBaobao; }},
        {"TfrmBbJishiEdit", [] { return new TfrmBbJishiEdit; }},
        {"TfrmBbJiaoyuEdit", [] { return new TfrmBbJiaoyuEdit; }},
        {"TfrmBbShengaoEdit", [] { return new TfrmBbShengaoEdit; }},
        {"TfrmBbTizhongEdit", [] { return new TfrmBbTizhongEdit; }},
        {"TfrmBeiwang", [] { return new TfrmBeiwang; }},
        {"TfrmBeiwangEdit", [] { return new TfrmBeiwangEdit; }},
        {"TfrmDianhuaEdit", [] { return new TfrmDianhuaEdit; }},
        {"TfrmIncomeEdit", [] { return new TfrmIncomeEdit; }},
        {"TfrmJishiEdit", [] { return new TfrmJishiEdit; }},
        {"TfrmSpendEdit", [] { return new TfrmSpendEdit; }},
    };
    const auto maker = makers.constFind(name);
    return maker == makers.constEnd() ? nullptr : std::unique_ptr<QWidget>((*maker)());
}

// What a control shows as its own words; null where it has none.
QString textOf(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    return {};
}

// "item", "-" for a separator, "item → [sub, items]" for a submenu.
QString menuTree(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions()) {
        QString item = action->isSeparator() ? QStringLiteral("-") : action->text();
        if (action->menu()) {
            item += QStringLiteral(" → [") + menuTree(action->menu()) + QLatin1Char(']');
        }
        items << item;
    }
    return items.join(QStringLiteral(", "));
}
} // namespace

// How each window is drawn: its caption and size, where its named controls
// stand and what they say, and the menus it offers. One row a window, control
// or menu; what the windows do is checked in their own suites.
class TestCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void windowsOpenWithTheirCaptionAndSize_data();
    void windowsOpenWithTheirCaptionAndSize();
    void controlsStandWhereDrawn_data();
    void controlsStandWhereDrawn();
    void menusOfferTheirItems_data();
    void menusOfferTheirItems();

private:
    QWidget* open(const QString& name);

    std::optional<UiFixture> m_ui;
    std::unique_ptr<QWidget> m_window;
};

void TestCatalogue::initTestCase()
{
    FontMapper::install();
}

void TestCatalogue::init()
{
    m_ui.emplace(QDateTime(QDate(2026, 12, 11), QTime(9, 0)));
}

void TestCatalogue::cleanup()
{
    m_window.reset();
    m_ui.reset();
}

QWidget* TestCatalogue::open(const QString& name)
{
    m_window = makeWindow(name);
    if (m_window) {
        m_window->show();
    }
    return m_window.get();
}

void TestCatalogue::windowsOpenWithTheirCaptionAndSize_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption"); // null: given by the list that opens it
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("position"); // null: placed by the desktop

    QTest::newRow("main window") << "TfrmMain"
                                 << "Pelorin" << QSize(1000, 629) << QPoint();
    QTest::newRow("password") << "TfrmPwdChange"
                              << "修改密码" << QSize(246, 281) << QPoint();
    QTest::newRow("common strings") << "TfrmBaseString"
                                    << "常用字符" << QSize(427, 308) << QPoint(785, 101);
    QTest::newRow("baby diary") << "TfrmBaobao"
                                << "宝宝成长日记" << QSize(365, 327) << QPoint();
    QTest::newRow("baby note editor") << "TfrmBbJishiEdit" << QString() << QSize(304, 480) << QPoint();
    QTest::newRow("baby education editor") << "TfrmBbJiaoyuEdit" << QString() << QSize(304, 480) << QPoint();
    QTest::newRow("baby height editor") << "TfrmBbShengaoEdit" << QString() << QSize(298, 436) << QPoint();
    QTest::newRow("baby weight editor") << "TfrmBbTizhongEdit" << QString() << QSize(298, 436) << QPoint();
    QTest::newRow("memo list") << "TfrmBeiwang"
                               << "备忘录" << QSize() << QPoint();
    QTest::newRow("memo editor") << "TfrmBeiwangEdit" << QString() << QSize(435, 465) << QPoint();
    QTest::newRow("contact editor") << "TfrmDianhuaEdit" << QString() << QSize(435, 630) << QPoint();
    QTest::newRow("income editor") << "TfrmIncomeEdit"
                                   << "收入编辑" << QSize(438, 344) << QPoint();
    QTest::newRow("spending editor") << "TfrmSpendEdit"
                                     << "支出编辑" << QSize(438, 344) << QPoint();
    QTest::newRow("note editor") << "TfrmJishiEdit" << QString() << QSize(436, 541) << QPoint();
}

void TestCatalogue::windowsOpenWithTheirCaptionAndSize()
{
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(QPoint, position);
    const QWidget* shown = open(window);
    QVERIFY2(shown, qPrintable(window));
    if (!caption.isNull()) {
        QCOMPARE(shown->windowTitle(), caption);
    }
    if (size.isValid()) {
        QCOMPARE(shown->size(), size);
    }
    if (!position.isNull()) {
        QCOMPARE(shown->pos(), position);
    }
}

void TestCatalogue::controlsStandWhereDrawn_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text"); // null: not a control with words of its own
    QTest::addColumn<QRect>("place");  // in the window; a width or height of 0 is the control's own

    // The bar of the main window: the first button, the clock, the last option box.
    QTest::newRow("main: 通讯录") << "TfrmMain"
                                  << "McxButton1"
                                  << "通讯录" << QRect(16, 8, 75, 33);
    QTest::newRow("main: clock") << "TfrmMain"
                                 << "RzClockStatus1" << QString() << QRect(778, 12, 199, 45);
    QTest::newRow("main: 显示我的网址") << "TfrmMain"
                                        << "cbMyUrl" << QString() << QRect(776, 64, 121, 20);
    QTest::newRow("main: button bar") << "TfrmMain"
                                      << "pnlMenu" << QString() << QRect(0, 0, 1000, 97);
    QTest::newRow("main: status bar") << "TfrmMain"
                                      << "StatusBar1" << QString() << QRect(0, 610, 1000, 19);

    QTest::newRow("diary: title") << "TfrmBaobao"
                                  << "pnlTitle"
                                  << "宝宝成长日记" << QRect(16, 8, 321, 33);
    QTest::newRow("diary: 身高") << "TfrmBaobao"
                                 << "btnShengao"
                                 << "身高" << QRect(8, 56, 75, 25);
    QTest::newRow("diary: 体重") << "TfrmBaobao"
                                 << "btnTizhong"
                                 << "体重" << QRect(96, 56, 75, 25);
    QTest::newRow("diary: 记事") << "TfrmBaobao"
                                 << "btnJishi"
                                 << "记事" << QRect(184, 56, 75, 25);
    QTest::newRow("diary: 教育") << "TfrmBaobao"
                                 << "btnJiaoyu"
                                 << "教育" << QRect(272, 56, 75, 25);
    QTest::newRow("diary: birth date") << "TfrmBaobao"
                                       << "deBir" << QString() << QRect(104, 108, 121, 0);
    QTest::newRow("diary: days") << "TfrmBaobao"
                                 << "lblDays" << QString() << QRect(24, 144, 0, 0);
    QTest::newRow("diary: months") << "TfrmBaobao"
                                   << "lblMonths" << QString() << QRect(24, 176, 0, 0);
    QTest::newRow("diary: years") << "TfrmBaobao"
                                  << "lblYears" << QString() << QRect(24, 208, 0, 0);
    QTest::newRow("diary: next birthday") << "TfrmBaobao"
                                          << "lblBir" << QString() << QRect(24, 240, 0, 0);

    QTest::newRow("contact editor: name") << "TfrmDianhuaEdit"
                                          << "xingming" << QString() << QRect(16, 80, 0, 0);
    QTest::newRow("contact editor: remark") << "TfrmDianhuaEdit"
                                            << "remark" << QString() << QRect(16, 304, 393, 265);

    QTest::newRow("common strings: hint") << "TfrmBaseString"
                                          << "Panel1"
                                          << "可以把常用内容粘贴到这里，以便需要时来这里复制！" << QRect();
}

void TestCatalogue::controlsStandWhereDrawn()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QRect, place);
    QWidget* shown = open(window);
    QVERIFY2(shown, qPrintable(window));
    const QWidget* widget = shown->findChild<QWidget*>(control);
    QVERIFY2(widget, qPrintable(control));
    if (!text.isNull()) {
        QCOMPARE(textOf(widget), text);
    }
    if (place == QRect()) {
        return;
    }
    const QPoint at = widget->mapTo(shown, QPoint(0, 0));
    QCOMPARE(at, place.topLeft());
    if (place.width() > 0) {
        QCOMPARE(widget->width(), place.width());
    }
    if (place.height() > 0) {
        QCOMPARE(widget->height(), place.height());
    }
}

void TestCatalogue::menusOfferTheirItems_data()
{
    QTest::addColumn<QString>("owner"); // the button that drops the menu, or the menu itself
    QTest::addColumn<QString>("items");

    QTest::newRow("更多") << "McxButton6"
                          << "定时关机, 护眼休息, 字符串特效, -, 月供测算, 健康档案, 宝宝成长日记, 备份与恢复, -, "
                             "计算器, 记事本, 任务管理器, 资源管理器, "
                             "更多工具 → [屏幕键盘, 写字板, 画图, 远程桌面, 放大镜, 音量控制, "
                             "配置工具 → [用户和组, 服务, 组策略, 组件服务, 注册表, 系统配置], "
                             "计算机管理 → [计算机管理, 设备管理器, Directx, Windows版本, 计算机性能], "
                             "磁盘工具 → [磁盘管理, 磁盘碎片整理, 磁盘清理, 共享文件夹]], "
                             "-, 刷新首页, -, 密码设置, 注销";
    QTest::newRow("tray icon") << "PopupMenu1"
                               << "打开Pelorin";
}

void TestCatalogue::menusOfferTheirItems()
{
    QFETCH(QString, owner);
    QFETCH(QString, items);
    auto* main = static_cast<TfrmMain*>(open(QStringLiteral("TfrmMain")));
    const QMenu* menu = nullptr;
    if (const auto* button = main->findChild<QPushButton*>(owner)) {
        menu = button->menu();
    } else {
        menu = main->findChild<QMenu*>(owner);
    }
    QVERIFY2(menu, qPrintable(owner));
    QCOMPARE(menuTree(menu), items);
}

int main(int argc, char** argv)
{
    PelApplication app(argc, argv);
    TestCatalogue test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_catalogue.moc"
