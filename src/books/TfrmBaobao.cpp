#include "books/TfrmBaobao.h"

#include "books/TfrmBbJiaoyu.h"
#include "books/TfrmBbJishi.h"
#include "books/TfrmBbShengao.h"
#include "books/TfrmBbTizhong.h"
#include "core/books/BabyAge.h"
#include "core/data/Clock.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/ErrorReport.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "forms/TMcxDateEdit.h"
#include "forms/WindowParts.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
// Places a label by window coordinates inside the birth-date frame.
QLabel* frameLabel(QFrame* frame, const char* name, const QString& text, QPoint windowPos, int width)
{
    auto* label = new QLabel(text, frame);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(QRect(windowPos - frame->pos(), QSize(width, 20)));
    return label;
}
} // namespace

TfrmBaobao::TfrmBaobao(QWidget* owner)
    : TfrmBase(owner)
    , ADOQuery1(std::make_unique<Query>(dm->ADOConnection1()))
{
    setWindowTitle(QStringLiteral("宝宝成长日记"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    resize(365, 327);

    pnlTitle = new QLabel(QStringLiteral("宝宝成长日记"), this);
    pnlTitle->setObjectName(QStringLiteral("pnlTitle"));
    pnlTitle->setGeometry(16, 8, 321, 33);
    pnlTitle->setAlignment(Qt::AlignCenter);
    pnlTitle->setFont(FontMapper::font(FontMapper::lishu(), 32));
    QPalette titlePalette = pnlTitle->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::blue);
    pnlTitle->setPalette(titlePalette);

    btnShengao = addBookButton("btnShengao", "身高", 8);
    btnTizhong = addBookButton("btnTizhong", "体重", 96);
    btnJishi = addBookButton("btnJishi", "记事", 184);
    btnJiaoyu = addBookButton("btnJiaoyu", "教育", 272);
    ErrorReport::connect(btnShengao, &QPushButton::clicked, this, &TfrmBaobao::openBook<TfrmBbShengao>);
    ErrorReport::connect(btnTizhong, &QPushButton::clicked, this, &TfrmBaobao::openBook<TfrmBbTizhong>);
    ErrorReport::connect(btnJishi, &QPushButton::clicked, this, &TfrmBaobao::openBook<TfrmBbJishi>);
    ErrorReport::connect(btnJiaoyu, &QPushButton::clicked, this, &TfrmBaobao::openBook<TfrmBbJiaoyu>);

    pnlBir = new QFrame(this);
    pnlBir->setObjectName(QStringLiteral("pnlBir"));
    pnlBir->setFrameShape(QFrame::StyledPanel);
    pnlBir->setGeometry(8, 96, 337, 177);
    auto* caption = frameLabel(pnlBir, "lblBirCaption", QStringLiteral("出生日期"), {24, 112}, 72);
    deBir = new TMcxDateEdit(pnlBir);
    deBir->setObjectName(QStringLiteral("deBir"));
    deBir->setGeometry(QRect(QPoint(104, 108) - pnlBir->pos(), QSize(121, deBir->sizeHint().height())));
    caption->setBuddy(deBir);
    lblDays = frameLabel(pnlBir, "lblDays", {}, {24, 144}, 313);
    lblMonths = frameLabel(pnlBir, "lblMonths", {}, {24, 176}, 313);
    lblYears = frameLabel(pnlBir, "lblYears", {}, {24, 208}, 313);
    lblBir = frameLabel(pnlBir, "lblBir", {}, {24, 240}, 313);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    StatusBar1 = WindowParts::addStatusBar(this, layout);

    ErrorReport::connect(deBir, &TMcxDateEdit::dateChanged, this, &TfrmBaobao::deBirChange);
}

TfrmBaobao::~TfrmBaobao() = default;

QPushButton* TfrmBaobao::addBookButton(const char* name, const char* caption, int x)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(x, 56, 75, 25);
    button->setFont(FontMapper::font(FontMapper::xingkai(), 24));
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    return button;
}

template <typename List> void TfrmBaobao::openBook()
{
    List list(this);
    list.exec();
}

void TfrmBaobao::openBirthRow()
{
    ADOQuery1->close();
    ADOQuery1->setSql(QStringLiteral("select * from param_baobao where oid = 1"));
    ADOQuery1->open();
}

void TfrmBaobao::showEvent(QShowEvent* event)
{
    TfrmBase::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    ErrorReport::guard([this] {
        openBirthRow();
        const QDate birth = ADOQuery1->isEmpty() ? QDate() : ADOQuery1->asDateTime(QStringLiteral("bir")).date();
        deBir->setDate(birth);
    });
}

void TfrmBaobao::deBirChange()
{
    const QDate birth = deBir->date();
    // While the edit is empty the counters keep what they showed.
    if (!birth.isValid()) {
        return;
    }
    const QDate today = Clock::today();
    if (birth > today) {
        MessageBox::information(this, QStringLiteral("出生日期不能晚于今天！"));
        deBir->setDate(today);
        return;
    }
    const BabyAge age = BabyAge::between(birth, today);
    lblDays->setText(age.daysText());
    lblMonths->setText(age.monthsText());
    lblYears->setText(age.yearsText());
    lblBir->setText(age.birthdayText());
}

void TfrmBaobao::done(int result)
{
    // A failed save is reported and the window stays open with the date.
    const bool saved = ErrorReport::guard([this] {
        openBirthRow();
        const QDate birth = deBir->date();
        if (ADOQuery1->isEmpty()) {
            ADOQuery1->append();
            ADOQuery1->setValue(QStringLiteral("oid"), QVariant(qlonglong(1)));
        } else if (birth.isValid()) {
            ADOQuery1->edit();
        }
        // No date in the edit leaves the stored one as it was.
        if (birth.isValid()) {
            ADOQuery1->setValue(QStringLiteral("bir"), QVariant(birth));
        }
        ADOQuery1->post();
    });
    if (saved) {
        TfrmBase::done(result);
    }
}
