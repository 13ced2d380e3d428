#include "tools/TfrmYueGong.h"

#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "core/tools/LoanPayment.h"
#include "core/tools/RepaymentSchedule.h"
#include "core/tools/SecondHandEstimate.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "forms/WebView.h"
#include "forms/WindowParts.h"
#include "tools/TMcxcalcEdit.h"
#include "tools/TfrmHuankuan.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <cmath>

namespace {
const QColor kResultColor(192, 220, 192);

QFrame* addPanel(QWidget* window, QVBoxLayout* layout, const char* name, int height)
{
    auto* panel = new QFrame(window);
    panel->setObjectName(QString::fromUtf8(name));
    panel->setFixedHeight(height);
    layout->addWidget(panel);
    return panel;
}

void addCaption(QFrame* panel, const char* text, int x)
{
    auto* label = new QLabel(QString::fromUtf8(text), panel);
    label->move(x, 16);
    label->adjustSize();
}

template <typename Box> Box* addBox(QFrame* panel, const char* name, int x)
{
    auto* box = new Box(panel);
    box->setObjectName(QString::fromUtf8(name));
    box->setGeometry(x, 40, 121, box->sizeHint().height());
    return box;
}

QLineEdit* addResultBox(QFrame* panel, const char* name, int x)
{
    auto* box = addBox<QLineEdit>(panel, name, x);
    box->setReadOnly(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, kResultColor);
    box->setPalette(palette);
    return box;
}

QPushButton* addButton(QFrame* panel, const char* name, const char* caption, int x, int width = 75)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), panel);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(x, 39, width, 25);
    button->setAutoDefault(false);
    return button;
}
} // namespace

const TfrmYueGong::Column TfrmYueGong::kColumns[7] = {
    {"jine", &TfrmYueGong::edtJine},
    {"lilv", &TfrmYueGong::edtLilv},
    {"LilvZhekou", &TfrmYueGong::edtLilvZhekou},
    {"nian", &TfrmYueGong::edtNian},
    {"Yujichengjiao", &TfrmYueGong::edtYujichengjiao},
    {"Yujipinggu", &TfrmYueGong::edtYujipinggu},
    {"shoufu", &TfrmYueGong::edtShoufu},
};

TfrmYueGong::TfrmYueGong(QWidget* owner)
    : TfrmBaseTool(owner)
{
    setWindowTitle(QStringLiteral("月供测算"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);

    QFrame* payment = addPanel(this, windowLayout(), "pnlYuegong", 80);
    addCaption(payment, "贷款金额(万元)", 8);
    addCaption(payment, "基准利率", 136);
    addCaption(payment, "利率折扣", 264);
    addCaption(payment, "贷款年限(年)", 392);
    addCaption(payment, "月供金额(元)", 600);
    edtJine = addBox<TMcxcalcEdit>(payment, "edtJine", 8);
    edtLilv = addBox<TMcxcalcEdit>(payment, "edtLilv", 136);
    edtLilvZhekou = addBox<TMcxcalcEdit>(payment, "edtLilvZhekou", 264);
    edtNian = addBox<TMcxcalcEdit>(payment, "edtNian", 392);
    btnJisuan = addButton(payment, "btnJisuan", "计算", 520);
    edtYuegong = addResultBox(payment, "edtYuegong", 600);
    btnClear = addButton(payment, "btnClear", "清空", 728);
    btnCopy = addButton(payment, "btnCopy", "复制", 808);
    btnPlan = addButton(payment, "btnPlan", "还款计划", 888, 90);

    memList = new QPlainTextEdit(this);
    memList->setObjectName(QStringLiteral("memList"));
    memList->setReadOnly(true);
    memList->setLineWrapMode(QPlainTextEdit::NoWrap);
    memList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette listPalette = memList->palette();
    listPalette.setColor(QPalette::Base, kResultColor);
    memList->setPalette(listPalette);
    windowLayout()->addWidget(memList, 1);

    QFrame* estimate = addPanel(this, windowLayout(), "pnlErshou", 74);
    lblErshou = new QLabel(QStringLiteral("二手房贷\n金额估算"), estimate);
    lblErshou->setObjectName(QStringLiteral("lblErshou"));
    lblErshou->setFont(FontMapper::font(QStringLiteral("黑体"), 21));
    QPalette headingPalette = lblErshou->palette();
    headingPalette.setColor(QPalette::WindowText, Qt::blue);
    lblErshou->setPalette(headingPalette);
    lblErshou->move(8, 12);
    lblErshou->adjustSize();
    addCaption(estimate, "预计成交价(万元)", 104);
    addCaption(estimate, "预计评估价(万元)", 248);
    addCaption(estimate, "首付比例(成)", 392);
    addCaption(estimate, "可贷款金额(万元)", 600);
    addCaption(estimate, "首付金额(万元)", 744);
    edtYujichengjiao = addBox<TMcxcalcEdit>(estimate, "edtYujichengjiao", 104);
    edtYujipinggu = addBox<TMcxcalcEdit>(estimate, "edtYujipinggu", 248);
    edtShoufu = addBox<TMcxcalcEdit>(estimate, "edtShoufu", 392);
    btnGusuan = addButton(estimate, "btnGusuan", "计算", 520);
    edtKedai = addResultBox(estimate, "edtKedai", 600);
    edtShoufujine = addResultBox(estimate, "edtShoufujine", 744);

    QFrame* ad = addPanel(this, windowLayout(), "pnlAd", 98);
    auto* adLayout = new QVBoxLayout(ad);
    adLayout->setContentsMargins(0, 0, 0, 0);
    WebBrowser1 = new WebView(ad);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    adLayout->addWidget(WebBrowser1);

    StatusBar1 = WindowParts::addStatusBar(this, windowLayout());

    // The usual values of a first loan, shown until the stored row replaces them.
    const char* design[7] = {"50", "6.55", "0.8", "20", "90", "80", "3"};
    for (int i = 0; i < 7; ++i) {
        (this->*kColumns[i].box)->setText(QString::fromLatin1(design[i]));
    }

    connect(btnJisuan, &QPushButton::clicked, this, &TfrmYueGong::computePayment);
    connect(btnClear, &QPushButton::clicked, memList, &QPlainTextEdit::clear);
    connect(btnCopy, &QPushButton::clicked, this, &TfrmYueGong::copyList);
    connect(btnPlan, &QPushButton::clicked, this, &TfrmYueGong::showPlan);
    connect(btnGusuan, &QPushButton::clicked, this, &TfrmYueGong::computeEstimate);
}

void TfrmYueGong::showEvent(QShowEvent* event)
{
    TfrmBaseTool::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    loadInputs();
    WebBrowser1->navigate(QUrl(dm->adDaikuan));
}

void TfrmYueGong::openRow()
{
    query().close();
    query().setSql(QStringLiteral("select * from param_yuegong where oid = 1"));
    query().open();
}

void TfrmYueGong::loadInputs()
{
    openRow();
    const bool missing = query().isEmpty();
    for (const Column& column : kColumns) {
        (this->*column.box)->setText(missing ? QString() : query().asText(QString::fromLatin1(column.name)));
    }
}

void TfrmYueGong::saveInputs()
{
    openRow();
    if (query().isEmpty()) {
        query().append();
        query().setValue(QStringLiteral("oid"), QVariant(qlonglong(1)));
    } else {
        query().edit();
    }
    for (const Column& column : kColumns) {
        const QString text = (this->*column.box)->text();
        // A half-typed number ("-", ".") keeps what was stored; empty is stored empty.
        if (text.trimmed().isEmpty() || LoanPayment::parseNumber(text)) {
            query().setValue(QString::fromLatin1(column.name), QVariant(text.trimmed()));
        }
    }
    query().post();
}

void TfrmYueGong::done(int result)
{
    saveInputs();
    TfrmBaseTool::done(result);
}

std::optional<double> TfrmYueGong::numberOf(TMcxcalcEdit* box, const QString& caption)
{
    const auto value = LoanPayment::parseNumber(box->text());
    if (!value) {
        MessageBox::information(this, QStringLiteral("“") + caption + QStringLiteral("”不是有效的数字！"));
        box->setFocus();
    }
    return value;
}

std::optional<TfrmYueGong::Loan> TfrmYueGong::readLoan()
{
    const auto nian = LoanPayment::parseNumber(edtNian->text());
    if (!nian || !LoanPayment::termAccepted(*nian)) {
        MessageBox::information(this, QStringLiteral("贷款年限不能小于1年！"));
        edtNian->setFocus();
        return std::nullopt;
    }
    // Each box is read only when those before it held numbers: one message at a time.
    const auto jine = numberOf(edtJine, QStringLiteral("贷款金额(万元)"));
    const auto lilv = jine ? numberOf(edtLilv, QStringLiteral("基准利率")) : std::nullopt;
    const auto zhekou = lilv ? numberOf(edtLilvZhekou, QStringLiteral("利率折扣")) : std::nullopt;
    if (!zhekou) {
        return std::nullopt;
    }
    return Loan{*jine, *lilv * *zhekou / 100, *nian};
}

void TfrmYueGong::computePayment()
{
    const std::optional<Loan> loan = readLoan();
    if (!loan) {
        return;
    }
    const double payment = LoanPayment::monthly(loan->wan * 10000, loan->rate, loan->years * 12);
    if (!std::isfinite(payment)) {
        MessageBox::information(this, QStringLiteral("利率无效，无法计算月供！"));
        return;
    }
    edtYuegong->setText(LoanPayment::twoDecimals(payment));
    memList->appendPlainText(LoanPayment::resultLine(edtJine->text(), edtLilv->text(), edtLilvZhekou->text(),
                                                     edtNian->text(), edtYuegong->text()));
}

void TfrmYueGong::copyList()
{
    memList->selectAll();
    memList->setFocus();
    memList->copy();
}

void TfrmYueGong::computeEstimate()
{
    const auto chengjiao = numberOf(edtYujichengjiao, QStringLiteral("预计成交价(万元)"));
    if (!chengjiao) {
        return;
    }
    const auto pinggu = numberOf(edtYujipinggu, QStringLiteral("预计评估价(万元)"));
    if (!pinggu) {
        return;
    }
    const auto shoufu = numberOf(edtShoufu, QStringLiteral("首付比例(成)"));
    if (!shoufu) {
        return;
    }
    const SecondHandEstimate estimate(*chengjiao, *pinggu, *shoufu);
    edtKedai->setText(LoanPayment::twoDecimals(estimate.kedai()));
    edtShoufujine->setText(LoanPayment::twoDecimals(estimate.shoufujine()));
    edtJine->setText(edtKedai->text());
}

void TfrmYueGong::showPlan()
{
    const std::optional<Loan> loan = readLoan();
    if (!loan) {
        return;
    }
    const QString refusal = RepaymentSchedule::refusal(loan->wan, loan->rate, loan->years);
    if (!refusal.isEmpty()) {
        MessageBox::information(this, refusal);
        return;
    }
    TfrmHuankuan plan(loan->wan, loan->rate, RepaymentSchedule::monthsOf(loan->years), this);
    plan.exec();
}
