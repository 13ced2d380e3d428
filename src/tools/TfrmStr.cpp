#include "tools/TfrmStr.h"

#include "core/data/Tdm.h"
#include "core/tools/StrDecorator.h"
#include "forms/FontMapper.h"
#include "forms/WebView.h"
#include "forms/WindowParts.h"
#include "tools/TfrmMoreChar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const char* const kSymbols[12] = {"★", "●", "♀", "■", "▲", "◆", "☆", "○", "♂", "□", "△", "◇"};
} // namespace

TfrmStr::TfrmStr(QWidget* owner)
    : TfrmBase(owner)
{
    setWindowTitle(QStringLiteral("字符串特效"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("pnlTop"));
    top->setFixedHeight(121);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    Memo1 = addMemo(top, "Memo1");
    topLayout->addWidget(Memo1, 1);

    auto* symbols = new QWidget(top);
    symbols->setObjectName(QStringLiteral("pnlSymbol"));
    symbols->setFixedWidth(162);
    topLayout->addWidget(symbols);
    auto* caption = new QLabel(QStringLiteral("字符："), symbols);
    caption->move(8, 16);
    caption->adjustSize();
    Edit1 = new QLineEdit(QStringLiteral("★"), symbols);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(56, 8, 41, 22);
    caption->setBuddy(Edit1);
    for (int i = 1; i <= 13; ++i) {
        auto* button = new QToolButton(symbols);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(i));
        button->setFocusPolicy(Qt::NoFocus);
        SpeedButton[i] = button;
        if (i == 13) {
            button->setText(QStringLiteral("更多..."));
            button->setGeometry(96, 8, 57, 22);
            connect(button, &QToolButton::clicked, this, &TfrmStr::SpeedButton13Click);
            continue;
        }
        button->setText(QString::fromUtf8(kSymbols[i - 1]));
        button->setGeometry(8 + 24 * ((i - 1) % 6), i <= 6 ? 32 : 56, 23, 22);
        connect(button, &QToolButton::clicked, this, [this, button] { Edit1->setText(button->text()); });
    }
    Button1 = new QPushButton(QStringLiteral("生成"), symbols);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(8, 88, 145, 25);
    Button1->setCursor(Qt::PointingHandCursor);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TfrmStr::Button1Click);
    layout->addWidget(top);

    auto* output = new QWidget(this);
    output->setObjectName(QStringLiteral("pnlOutput"));
    auto* outputLayout = new QHBoxLayout(output);
    outputLayout->setContentsMargins(0, 0, 0, 0);
    outputLayout->setSpacing(0);
    Memo7 = addMemo(output, "Memo7");
    Memo7->setFixedWidth(132);
    Memo6 = addMemo(output, "Memo6");
    Memo6->setFixedWidth(132);
    pnlStack = new QWidget(output);
    pnlStack->setObjectName(QStringLiteral("pnlStack"));
    Memo2 = addMemo(pnlStack, "Memo2");
    Memo3 = addMemo(pnlStack, "Memo3");
    Memo4 = addMemo(pnlStack, "Memo4");
    Memo5 = addMemo(pnlStack, "Memo5");
    Memo8 = addMemo(pnlStack, "Memo8");
    pnlStack->installEventFilter(this);
    outputLayout->addWidget(Memo7);
    outputLayout->addWidget(Memo6);
    outputLayout->addWidget(pnlStack, 1);
    layout->addWidget(output, 1);

    // Numbered as the boxes stand on the screen: the two columns, then the stack.
    auto* copyBar = new QWidget(this);
    copyBar->setObjectName(QStringLiteral("pnlCopy"));
    copyBar->setFixedHeight(23);
    QPlainTextEdit* const sources[8] = {nullptr, Memo7, Memo6, Memo2, Memo3, Memo4, Memo5, Memo8};
    for (int i = 1; i <= 7; ++i) {
        auto* button = new QPushButton(QStringLiteral("复制%1").arg(i), copyBar);
        button->setObjectName(QStringLiteral("btnCopy%1").arg(i));
        button->setGeometry(75 * (i - 1), 0, 75, 23);
        button->setFont(FontMapper::font(FontMapper::song(), 14));
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
        btnCopy[i] = button;
        QPlainTextEdit* source = sources[i];
        connect(button, &QPushButton::clicked, this, [this, source] { copyFrom(source); });
    }
    layout->addWidget(copyBar);

    auto* ad = new QWidget(this);
    ad->setObjectName(QStringLiteral("pnlAd"));
    ad->setFixedHeight(98);
    auto* adLayout = new QVBoxLayout(ad);
    adLayout->setContentsMargins(0, 0, 0, 0);
    WebBrowser1 = new WebView(ad);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    adLayout->addWidget(WebBrowser1);
    layout->addWidget(ad);

    StatusBar1 = WindowParts::addStatusBar(this, layout);
}

QPlainTextEdit* TfrmStr::addMemo(QWidget* parent, const char* name)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QString::fromUtf8(name));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return memo;
}

void TfrmStr::showEvent(QShowEvent* event)
{
    TfrmBase::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    const QString title = dm ? dm->title : QStringLiteral("Pelorin");
    Memo1->setPlainText(QStringList{QStringLiteral("请在这里输入或粘贴字符串！"),
                                    QStringLiteral("您还可以输入多行字符串！"),
                                    QStringLiteral("感谢") + title + QStringLiteral("提供如此好用的工具！"),
                                    title + QStringLiteral("，我的生活好帮手！")}
                            .join(QLatin1Char('\n')));
    SizeMemos();
    WebBrowser1->navigate(QUrl(dm ? dm->adCommon : QString()));
}

bool TfrmStr::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pnlStack && event->type() == QEvent::Resize) {
        SizeMemos();
    }
    return TfrmBase::eventFilter(watched, event);
}

// Four boxes of a fifth of the height each, the last one taking the rest.
void TfrmStr::SizeMemos()
{
    const int width = pnlStack->width();
    const int height = pnlStack->height() / 5;
    int y = 0;
    for (QPlainTextEdit* memo : {Memo2, Memo3, Memo4, Memo5}) {
        memo->setGeometry(0, y, width, height);
        y += height;
    }
    Memo8->setGeometry(0, y, width, std::max(height, pnlStack->height() - y));
}

void TfrmStr::Button1Click()
{
    const QString symbol = Edit1->text();
    const QStringList lines = StrDecorator::linesOf(Memo1->toPlainText());
    const QList<std::pair<QPlainTextEdit*, QStringList>> variants = {
        {Memo2, StrDecorator::withSymbol(lines, symbol)},
        {Memo3, StrDecorator::reversedWithSymbol(lines, symbol)},
        {Memo4, StrDecorator::doubled(lines)},
        {Memo5, StrDecorator::reversedDoubled(lines)},
        {Memo6, StrDecorator::verticalRightToLeft(lines)},
        {Memo7, StrDecorator::verticalLeftToRight(lines)},
        {Memo8, StrDecorator::reversed(lines)},
    };
    for (const auto& [memo, output] : variants) {
        memo->clear();
        if (!output.isEmpty()) {
            memo->setPlainText(output.join(QLatin1Char('\n')));
        }
    }
}

void TfrmStr::SpeedButton13Click()
{
    TfrmMoreChar picker(this);
    picker.exec();
}

void TfrmStr::copyFrom(QPlainTextEdit* memo)
{
    memo->selectAll();
    memo->setFocus();
    memo->copy();
}
