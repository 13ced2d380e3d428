#include "app/TfrmMain.h"

#include "alarms/AlertRinger.h"
#include "alarms/TfrmAlert.h"
#include "app/DailyBackup.h"
#include "app/StartMinimiser.h"
#include "app/TrayImages.h"
#include "core/data/Clock.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/BalloonHints.h"
#include "forms/ErrorReport.h"
#include "forms/FontMapper.h"
#include "forms/WebView.h"
#include "platform/Platform.h"
#include "platform/SoundPlayer.h"
#include "tools/RestReminder.h"
#include "tools/ScreenCapture.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

namespace {
enum class Look { Module, Quick, Small, Exit, UrlSetting, Option };

struct ButtonBarItem {
    const char* name;
    const char* caption;
    const char* hint;
    int left, top, width, height;
    Look look;
};

// The button bar, as the user knows it.
const ButtonBarItem kButtons[] = {
    {"McxButton1", "通讯录", "记录家人、朋友、同事、客户的电话、手机、QQ、地址等联系信息。", 16, 8, 75, 33,
     Look::Module},
    {"btnAlert", "闹铃", "提醒闹铃！", 16, 56, 75, 33, Look::Module},
    {"McxButton2", "记事",
     "记录即将要做的事、已经做完的事、电表(水表/气表/公里数)数据、事件的里程碑(工作的变更/"
     "孩子的变化)等需要定期记录的信息。",
     104, 8, 75, 35, Look::Module},
    {"McxButton4", "备忘", "记录常用用户名密码、常用问题的处理方法、自己的思路想法等需要长期查看的信息。", 104, 54, 75,
     35, Look::Module},
    {"cxButton1", "收入", "记录所有收入的详细列表。", 192, 8, 155, 49, Look::Module},
    {"cxButton2", "支出", "记录所有支出的详细列表。", 360, 8, 155, 49, Look::Module},
    {"cxButton3", "收入统计", "收入按年、月、类型（日、人）等进行统计，拖动标题，可组合出多种多样的统计结果。", 192, 64,
     75, 25, Look::Small},
    {"cxButton5", "支出统计", "支出按年、月、类型（日、人）等进行统计，拖动标题，可组合出多种多样的统计结果。", 272, 64,
     75, 25, Look::Small},
    {"cxButton6", "收支统计", "收支按年、月、类型（日、人）等进行统计，拖动标题，可组合出多种多样的统计结果。", 360, 64,
     75, 25, Look::Small},
    {"cxButton4", "参数设置", "设置各功能的参数配置。", 440, 64, 75, 25, Look::Small},
    {"btnQuick", "快捷\n方式", "在桌面创建快捷方式。", 528, 8, 45, 49, Look::Quick},
    {"McxButton6", "更多", "更多功能......", 528, 64, 45, 25, Look::Small},
    {"McxButton7", "退出", "退出Pelorin。", 584, 64, 49, 25, Look::Exit},
    {"McxButton5", "网址设置", "设置我的自定义网址。", 896, 64, 75, 25, Look::UrlSetting},
};

const ButtonBarItem kOptions[] = {
    {"cbAutoStart", "开机自动启动", "选中后，下次开机将自动启动。如果有安全软件提示，请允许即可。", 648, 8, 121, 20,
     Look::Option},
    {"cbStartmin", "启动后最小化",
     "选中后，启动后将自动最小化到右下角托盘中，闹铃、护眼、截屏功能自动启用（如果设置的话）。", 648, 28, 121, 20,
     Look::Option},
    {"cbMin", "最小化时隐藏",
     "选中后，最小化时，Windows任务栏将不再显示图标，图标显示在右下角的托盘中，双击右下角托盘或右键打开可恢复"
     "显示。",
     648, 48, 121, 20, Look::Option},
    {"cbShowhint", "按钮显示提示", "选中后，当鼠标放置在界面按钮时，将会提示该按钮的基本功能。", 648, 68, 121, 20,
     Look::Option},
    {"cbMyUrl", "显示我的网址", "选中后，主界面会显示我自己设置的网址导航部分。", 776, 64, 121, 20, Look::Option},
};

QFont fontFor(Look look)
{
    switch (look) {
    case Look::Module:
        return FontMapper::font(FontMapper::xingkai(), 21);
    case Look::Quick:
        return FontMapper::font(FontMapper::xingkai(), 19);
    case Look::Exit:
        return FontMapper::font(FontMapper::lishu(), 20, true);
    case Look::UrlSetting:
        return FontMapper::font(FontMapper::song(), 12);
    case Look::Small:
    case Look::Option:
        break;
    }
    return FontMapper::font(FontMapper::kai(), 16);
}

template <typename Control> Control* place(QWidget* parent, const ButtonBarItem& item)
{
    auto* control = new Control(QString::fromUtf8(item.caption), parent);
    control->setObjectName(QString::fromUtf8(item.name));
    control->setToolTip(QString::fromUtf8(item.hint));
    control->setGeometry(item.left, item.top, item.width, item.height);
    control->setFont(fontFor(item.look));
    control->setCursor(Qt::PointingHandCursor);
    return control;
}
} // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
    , ADOQuery1(std::make_unique<Query>(dm->ADOConnection1()))
{
    setObjectName(QStringLiteral("frmMain"));
    setFont(FontMapper::font(FontMapper::song(), 16));
    setWindowIcon(TrayImages::windowIcon());
    // The caption of the design is replaced by the program title.
    QCoreApplication::setApplicationName(dm->title);
    setWindowTitle(dm->title);
    resize(kWidth, kHeight);
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - QPoint(kWidth / 2, kHeight / 2));
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    buildButtonBar();
    layout->addWidget(pnlMenu);

    WebBrowser2 = new WebView(this);
    WebBrowser2->setObjectName(QStringLiteral("WebBrowser2"));
    WebBrowser2->setFixedHeight(0);
    WebBrowser2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(WebBrowser2);

    WebBrowser1 = new WebView(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    layout->addWidget(WebBrowser1, 1);

    buildLoginPanel();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(19);
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        m_statusPanels[i] = new QLabel(StatusBar1);
        m_statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_statusPanels[i]->setFont(FontMapper::font(FontMapper::song(), 12));
    }
    m_statusPanels[0]->setFixedWidth(300);
    StatusBar1->addWidget(m_statusPanels[0]);
    StatusBar1->addWidget(m_statusPanels[1], 1);
    layout->addWidget(StatusBar1);

    MediaPlayer1 = Platform::createSoundPlayer(this);
    buildTray();
    buildMenu();
    buildTimers();
    connectModules();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::buildButtonBar()
{
    pnlMenu = new QFrame(this);
    pnlMenu->setObjectName(QStringLiteral("pnlMenu"));
    pnlMenu->setFixedHeight(97);
    pnlMenu->setFrameShape(QFrame::NoFrame);

    for (const ButtonBarItem& item : kButtons) {
        auto* button = place<QPushButton>(pnlMenu, item);
        const QString name = button->objectName();
        if (name == QLatin1String("btnAlert")) {
            btnAlert = button;
        } else if (name == QLatin1String("btnQuick")) {
            btnQuick = button;
        } else if (name == QLatin1String("McxButton6")) {
            McxButton6 = button;
        } else if (name == QLatin1String("McxButton7")) {
            McxButton7 = button;
        }
    }
    QPalette exitPalette = McxButton7->palette();
    exitPalette.setColor(QPalette::ButtonText, Qt::blue);
    McxButton7->setPalette(exitPalette);
    ErrorReport::connect(McxButton7, &QPushButton::clicked, this, &TfrmMain::onExitClicked);
    ErrorReport::connect(btnQuick, &QPushButton::clicked, this, &TfrmMain::MakeDesktopShortcut);

    QCheckBox** boxes[] = {&cbAutoStart, &cbStartmin, &cbMin, &cbShowhint, &cbMyUrl};
    for (size_t i = 0; i < std::size(kOptions); ++i) {
        *boxes[i] = place<QCheckBox>(pnlMenu, kOptions[i]);
    }
    ErrorReport::connect(cbShowhint, &QCheckBox::toggled, this, &TfrmMain::onShowhintToggled);
    ErrorReport::connect(cbMyUrl, &QCheckBox::toggled, this, &TfrmMain::onMyUrlToggled);
    ErrorReport::connect(cbMin, &QCheckBox::toggled, this, &TfrmMain::onMinToggled);
    ErrorReport::connect(cbStartmin, &QCheckBox::clicked, this, &TfrmMain::onStartminClicked);
    ErrorReport::connect(cbAutoStart, &QCheckBox::toggled, this, &TfrmMain::onAutoStartToggled);

    RzClockStatus1 = new QLabel(pnlMenu);
    RzClockStatus1->setObjectName(QStringLiteral("RzClockStatus1"));
    RzClockStatus1->setToolTip(QStringLiteral("本机当前时间。"));
    RzClockStatus1->setGeometry(778, 12, 199, 45);
    RzClockStatus1->setAlignment(Qt::AlignCenter);
    RzClockStatus1->setFont(FontMapper::font(FontMapper::song(), 24, true));
    QPalette clockPalette = RzClockStatus1->palette();
    clockPalette.setColor(QPalette::WindowText, Qt::blue);
    RzClockStatus1->setPalette(clockPalette);
    RzClockStatus1->setCursor(Qt::PointingHandCursor);
    updateClock();
}

void TfrmMain::buildTimers()
{
    alertRinger = new AlertRinger(this);
    AlertRinger::Surroundings around;
    around.window = this;
    around.button = btnAlert;
    around.tray = RzTrayIcon1;
    around.trayIcons[0] = TrayImages::image(0);
    around.trayIcons[1] = TrayImages::image(1);
    around.sound = MediaPlayer1;
    around.notifier = &Platform::notifier();
    around.programTitle = dm->title;
    around.restore = [this] { restoreApp(); };
    around.openList = [this] {
        TfrmAlert list(this);
        list.setStatusText(btnAlert->toolTip());
        list.exec();
    };
    alertRinger->setSurroundings(std::move(around));
    ErrorReport::connect(btnAlert, &QPushButton::clicked, this, &TfrmMain::btnAlertClick);
    restReminder = new RestReminder(findChild<QAction*>(QStringLiteral("mmiRest")), this);
    screenCapture = new ScreenCapture(this);
    startMinimiser = new StartMinimiser(this);
    dailyBackup = new DailyBackup(this);
    connect(dailyBackup, &DailyBackup::failed, this,
            [this](const QString& message) { StatusBar1->showMessage(message, 60000); });

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("TimerClock"));
    m_clockTimer->setInterval(1000);
    // The one timer that wakes the resident program every second.
    ErrorReport::connect(m_clockTimer, &QTimer::timeout, this, [this] {
        updateClock();
        watchNotificationArea();
    });
    m_clockTimer->start();
}

void TfrmMain::ArmRestTimer()
{
    restReminder->ArmRestTimer();
}

void TfrmMain::ArmJiepingTimer()
{
    screenCapture->ArmJiepingTimer();
}

void TfrmMain::ArmAlertTimer()
{
    alertRinger->ArmAlertTimer();
}

void TfrmMain::btnAlertClick()
{
    alertRinger->btnAlertClick();
}

void TfrmMain::updateClock()
{
    RzClockStatus1->setText(Clock::now().toString(QStringLiteral("MM-dd hh:mm:ss")));
}

QString TfrmMain::statusText(int panel) const
{
    return m_statusPanels[panel]->text();
}
