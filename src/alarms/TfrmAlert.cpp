#include "alarms/TfrmAlert.h"

#include "alarms/TfrmAlertEdit.h"
#include "core/alarms/RepeatRule.h"
#include "core/data/Clock.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/DataGrid.h"
#include "forms/MessageBox.h"
#include "forms/WebView.h"
#include "forms/WindowParts.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QString dueText(const QVariant& value)
{
    // Always with the time of day, midnight included: an alarm rings at a moment.
    const QDateTime due = value.toDateTime();
    return due.isValid() ? due.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : value.toString();
}

QString kindText(const QVariant& value)
{
    bool whole = false;
    const int kind = value.toInt(&whole);
    return whole ? RepeatRule::kindText(kind) : value.toString();
}
} // namespace

TfrmAlert::TfrmAlert(QWidget* owner)
    : TfrmBaseTool(owner)
{
    setWindowTitle(QStringLiteral("我的提醒"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);
    TableName = QStringLiteral("alert");
    SaveTableName = QStringLiteral("alert");
    OrderSql = QStringLiteral(" order by dt desc");

    buildToolPanel();

    cxGrid1 = new DataGrid(this);
    cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
    cxGrid1->setGroupByBoxVisible(false);
    cxGrid1->setColumns({
        {QStringLiteral("到期时间"), QStringLiteral("dt"), 200, dueText},
        {QStringLiteral("事件"), QStringLiteral("title"), 500},
        {QStringLiteral("类型"), QStringLiteral("knd"), 120, kindText},
    });
    cxGrid1->setQuery(&query());
    windowLayout()->addWidget(cxGrid1, 1);
    connect(cxGrid1, &DataGrid::currentQueryRowChanged, this, &TfrmAlert::updateDismissButton);

    MPanel1 = WindowParts::addAdPanel(this, windowLayout(), 77, &WebBrowser1);
    StatusBar1 = WindowParts::addStatusBar(this, windowLayout(), &m_statusPanel);
    m_statusPanel->setFixedWidth(1000);

    updateButtons();
}

TfrmAlert::~TfrmAlert() = default;

void TfrmAlert::buildToolPanel()
{
    btnNew = addToolButton(QStringLiteral("btnNew"), QStringLiteral("新增"));
    btnEdit = addToolButton(QStringLiteral("btnEdit"), QStringLiteral("修改"));
    btnDelete = addToolButton(QStringLiteral("btnDelete"), QStringLiteral("不再提醒"));
    btnDeleteAll = addToolButton(QStringLiteral("btnDeleteAll"), QStringLiteral("彻底删除"));
    btnRefresh = addToolButton(QStringLiteral("btnRefresh"), QStringLiteral("刷新"));
    connect(btnNew, &QPushButton::clicked, this, &TfrmAlert::btnNewClick);
    connect(btnEdit, &QPushButton::clicked, this, &TfrmAlert::btnEditClick);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmAlert::btnDeleteClick);
    connect(btnDeleteAll, &QPushButton::clicked, this, &TfrmAlert::btnDeleteAllClick);
    connect(btnRefresh, &QPushButton::clicked, this, &TfrmAlert::btnRefreshClick);

    cbKnd = new QComboBox(pnlTool);
    cbKnd->setObjectName(QStringLiteral("cbKnd"));
    cbKnd->addItems({QStringLiteral("到期提醒"), QStringLiteral("七天提醒"), QStringLiteral("一月提醒"),
                     QStringLiteral("一年提醒"), QStringLiteral("所有提醒")});
    cbKnd->setCurrentIndex(Due);
    cbKnd->setFixedWidth(97);
    toolLayout()->insertSpacing(toolLayout()->count() - 1, 4);
    toolLayout()->insertWidget(toolLayout()->count() - 1, cbKnd);
    connect(cbKnd, &QComboBox::currentIndexChanged, this, &TfrmAlert::btnRefreshClick);

    // The clock sits at the right edge, after the stretch that keeps the buttons left.
    RzClockStatus1 = new QLabel(pnlTool);
    RzClockStatus1->setObjectName(QStringLiteral("RzClockStatus1"));
    RzClockStatus1->setFixedWidth(181);
    RzClockStatus1->setAlignment(Qt::AlignCenter);
    QFont clockFont(QStringLiteral("Arial Narrow"));
    clockFont.setStretch(QFont::Condensed);
    clockFont.setPixelSize(35);
    RzClockStatus1->setFont(clockFont);
    QPalette clockPalette = RzClockStatus1->palette();
    clockPalette.setColor(QPalette::WindowText, Qt::blue);
    RzClockStatus1->setPalette(clockPalette);
    toolLayout()->addWidget(RzClockStatus1);

    TimerClock = new QTimer(this);
    TimerClock->setObjectName(QStringLiteral("TimerClock"));
    TimerClock->setInterval(1000);
    connect(TimerClock, &QTimer::timeout, this, &TfrmAlert::updateClock);
    TimerClock->start();
    updateClock();
}

QString TfrmAlert::filterCondition(int filter)
{
    switch (filter) {
    case Due:
        return QStringLiteral(" and dt < now()");
    case SevenDays:
        return QStringLiteral(" and dt < now() + 7");
    case OneMonth:
        return QStringLiteral(" and dt < now() + 31");
    case OneYear:
        return QStringLiteral(" and dt < now() + 365");
    default:
        return {};
    }
}

void TfrmAlert::setStatusText(const QString& text)
{
    m_statusPanel->setText(text);
}

QString TfrmAlert::statusText() const
{
    return m_statusPanel->text();
}

void TfrmAlert::updateClock()
{
    RzClockStatus1->setText(Clock::now().toString(QStringLiteral("HH:mm:ss")));
}

void TfrmAlert::showEvent(QShowEvent* event)
{
    TfrmBaseTool::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        btnRefreshClick();
        WebBrowser1->navigate(QUrl(dm->adAlert));
    }
}

void TfrmAlert::btnRefreshClick()
{
    BaseSql = QStringLiteral("select * from ") + TableName + QStringLiteral(" where 1=1");
    FilterSql = filterCondition(cbKnd->currentIndex());
    const QString sql = BaseSql + FilterSql + OrderSql;
    FilterSql.clear();
    query().close();
    query().setSql(sql);
    try {
        query().open();
    } catch (...) {
        cxGrid1->reload();
        updateButtons();
        throw;
    }
    cxGrid1->reload();
    updateButtons();
}

void TfrmAlert::updateButtons()
{
    const bool hasRows = query().rowCount() > 0;
    btnEdit->setEnabled(hasRows);
    btnDeleteAll->setEnabled(hasRows);
    updateDismissButton();
}

void TfrmAlert::updateDismissButton()
{
    // Only an alarm that has come due can be dismissed.
    const bool overdue = query().isActive() && !query().eof() && !query().isNull(QStringLiteral("dt")) &&
                         query().asDateTime(QStringLiteral("dt")) < Clock::now();
    btnDelete->setEnabled(overdue);
}

void TfrmAlert::runEditor(const QString& key, const QString& caption)
{
    TfrmAlertEdit editor(this);
    editor.setWindowTitle(caption);
    editor.RecordOid = key;
    if (editor.exec() == QDialog::Accepted) {
        btnRefreshClick();
    }
}

void TfrmAlert::btnNewClick()
{
    runEditor(QStringLiteral("0"), QStringLiteral("新增"));
}

void TfrmAlert::btnEditClick()
{
    if (query().eof()) {
        return;
    }
    runEditor(query().asText(QStringLiteral("oid")), QStringLiteral("修改"));
}

void TfrmAlert::btnDeleteClick()
{
    if (query().eof()) {
        return;
    }
    if (MessageBox::question(this, QStringLiteral("确定不再提醒吗？")) != MessageBox::Yes) {
        return;
    }
    bool known = false;
    const int kind = query().asText(QStringLiteral("knd")).toInt(&known);
    // The whole walk is done in memory, so the row is written once however
    // many periods the alarm was left overdue.
    const RepeatRule::Dismissal dismissal =
        RepeatRule::dismiss(query().asDateTime(QStringLiteral("dt")), known ? kind : -1, Clock::now());
    switch (dismissal.action) {
    case RepeatRule::Dismissal::Delete:
        query().deleteCurrent();
        break;
    case RepeatRule::Dismissal::Move:
        query().edit();
        query().setValue(QStringLiteral("dt"), dismissal.due);
        query().post();
        break;
    case RepeatRule::Dismissal::Keep:
        break;
    }
    btnRefreshClick();
}

void TfrmAlert::btnDeleteAllClick()
{
    if (query().eof()) {
        return;
    }
    if (MessageBox::question(this, QStringLiteral("确定彻底删除吗？")) != MessageBox::Yes) {
        return;
    }
    query().deleteCurrent();
    btnRefreshClick();
}
