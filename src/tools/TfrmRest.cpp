#include "tools/TfrmRest.h"

#include "core/data/Clock.h"
#include "forms/FontMapper.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>

namespace {
const QString kRest = QStringLiteral("休息休息。。。");
const QString kLookOut = QStringLiteral("看看窗外。。。");

void paintBlack(QWidget* window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, Qt::black);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setCursor(Qt::CrossCursor);
}

constexpr Qt::WindowFlags kCovering =
    Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::BypassWindowManagerHint;
} // namespace

TfrmRest::TfrmRest(QWidget* owner)
    : QDialog(owner, kCovering)
{
    setObjectName(QStringLiteral("frmRest"));
    setModal(true);
    paintBlack(this);

    Label1 = new QLabel(kRest, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(FontMapper::font(FontMapper::xingkai(), 48));
    QPalette white = Label1->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(white);
    Label1->setCursor(Qt::CrossCursor);
    Label1->adjustSize();
    Label1->move(96, 40);

    clock = new QLabel(this);
    clock->setObjectName(QStringLiteral("clock"));
    QFont clockFont(QStringLiteral("Arial Narrow"));
    clockFont.setPixelSize(35);
    clock->setFont(clockFont);
    QPalette yellow = clock->palette();
    yellow.setColor(QPalette::WindowText, Qt::yellow);
    clock->setPalette(yellow);
    updateClock();

    TimerPos = new QTimer(this);
    TimerPos->setObjectName(QStringLiteral("TimerPos"));
    TimerPos->setInterval(kMoveEvery);
    connect(TimerPos, &QTimer::timeout, this, &TfrmRest::TimerPosTimer);
    TimerPos->start();

    TimerClose = new QTimer(this);
    TimerClose->setObjectName(QStringLiteral("TimerClose"));
    TimerClose->setInterval(kCloseAfter);
    TimerClose->setSingleShot(true);
    connect(TimerClose, &QTimer::timeout, this, &QDialog::accept);
    TimerClose->start();

    m_clockTimer = new QTimer(this);
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &TfrmRest::updateClock);
    m_clockTimer->start();

    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        setGeometry(primary->geometry());
    }
    coverOtherScreens();
}

TfrmRest::~TfrmRest()
{
    qDeleteAll(m_others);
}

void TfrmRest::coverOtherScreens()
{
    // A second monitor left lit defeats the rest.
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen == primary) {
            continue;
        }
        auto* cover = new QWidget(nullptr, kCovering);
        cover->setObjectName(QStringLiteral("restCover"));
        paintBlack(cover);
        cover->setGeometry(screen->geometry());
        m_others << cover;
    }
}

void TfrmRest::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    for (QWidget* cover : std::as_const(m_others)) {
        cover->show();
    }
    // Covering the panel needs more than a frameless window: the window
    // manager is asked for the whole screen, above everything.
    setWindowState(windowState() | Qt::WindowFullScreen);
    raise();
    activateWindow();
    centreClock();
}

void TfrmRest::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    centreClock();
}

void TfrmRest::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("PopupMenu1"));
    QAction* quit = menu.addAction(QStringLiteral("退出"));
    quit->setObjectName(QStringLiteral("N1"));
    connect(quit, &QAction::triggered, this, &QDialog::reject);
    menu.exec(event->globalPos());
}

void TfrmRest::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}

QPoint TfrmRest::labelPosition(int a, int b, const QSize& window, const QSize& label)
{
    // Multiplied before the division, in whole pixels.
    return {a * (window.width() - label.width()) / 10, b * (window.height() - label.height()) / 10};
}

void TfrmRest::TimerPosTimer()
{
    const int a = QRandomGenerator::global()->bounded(10);
    const int b = QRandomGenerator::global()->bounded(10);
    Label1->move(labelPosition(a, b, size(), Label1->size()));
    Label1->setText(Label1->text() == kRest ? kLookOut : kRest);
}

void TfrmRest::updateClock()
{
    clock->setText(Clock::now().toString(QStringLiteral("HH:mm:ss")));
    clock->adjustSize();
    centreClock();
}

void TfrmRest::centreClock()
{
    clock->move((width() - clock->width()) / 2, (height() - clock->height()) / 2);
}
