#include "forms/TfrmBaseListFilter.h"

#include "core/data/Clock.h"
#include "core/data/DateRange.h"
#include "core/data/Tdm.h"
#include "forms/ErrorReport.h"
#include "forms/MessageBox.h"
#include "forms/TMcxDateEdit.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TfrmBaseListFilter::TfrmBaseListFilter(QWidget* owner)
    : TfrmBaseList(owner)
{
    offerDeleteAndExport();
    btnFilter = addToolButton(QStringLiteral("btnFilter"), QStringLiteral("查询"));
    // 查询 stands between 删除 and 导出Excel.
    toolLayout()->removeWidget(btnFilter);
    toolLayout()->insertWidget(toolLayout()->indexOf(btnToExcel), btnFilter);
    ErrorReport::connect(btnFilter, &QPushButton::clicked, this, &TfrmBaseListFilter::QueryAction);
    addTip();

    pnlFilter = new QFrame(this);
    pnlFilter->setObjectName(QStringLiteral("pnlFilter"));
    pnlFilter->setFixedHeight(56);
    Label1 = new QLabel(QStringLiteral("开始日期"), pnlFilter);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 4, 121, 20);
    Label2 = new QLabel(QStringLiteral("结束日期"), pnlFilter);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(144, 4, 121, 20);
    edtStart = new TMcxDateEdit(pnlFilter);
    edtStart->setObjectName(QStringLiteral("edtStart"));
    edtStart->setGeometry(8, 26, 121, 24);
    edtEnd = new TMcxDateEdit(pnlFilter);
    edtEnd->setObjectName(QStringLiteral("edtEnd"));
    edtEnd->setGeometry(144, 26, 121, 24);
    windowLayout()->insertWidget(1, pnlFilter);
    setStatusPanelWidth(500);

    // Date changes made while the window opens run no query of their own.
    TimerAutoFIlter = new QTimer(this);
    TimerAutoFIlter->setObjectName(QStringLiteral("TimerAutoFIlter"));
    TimerAutoFIlter->setInterval(1000);
    TimerAutoFIlter->setSingleShot(true);
    connect(TimerAutoFIlter, &QTimer::timeout, this, &TfrmBaseListFilter::connectDateChanges);
    TimerAutoFIlter->start();
}

TfrmBaseListFilter::TfrmBaseListFilter(const Book& book, QWidget* owner)
    : TfrmBaseListFilter(owner)
{
    m_book = book;
    setWindowTitle(book.caption);
    TableName = book.table;
    OrderSql = QStringLiteral(" order by dt desc");
    setColumns(book.columns);
    setAdPage(book.adPage);
}

QString TfrmBaseListFilter::fallbackMessage(const QString& listName, int fallbackDays)
{
    return QStringLiteral("“%1默认日期范围天数”格式错误，请重新设置。现在默认%2天。").arg(listName).arg(fallbackDays);
}

TfrmBaseListFilter::DaysSetting TfrmBaseListFilter::daysSetting() const
{
    const Days& days = m_book.days;
    Q_ASSERT(days.parameter);
    return {dm->*days.parameter, days.fallbackDays, fallbackMessage(days.listName, days.fallbackDays)};
}

TfrmBaseEdit* TfrmBaseListFilter::createEditor()
{
    Q_ASSERT(m_book.editor);
    return m_book.editor(this);
}

void TfrmBaseListFilter::connectDateChanges()
{
    TimerAutoFIlter->stop();
    // Once only: a guarded slot cannot be made unique by Qt.
    if (m_datesConnected) {
        return;
    }
    m_datesConnected = true;
    ErrorReport::connect(edtStart, &TMcxDateEdit::dateChanged, this, &TfrmBaseListFilter::autoQuery);
    ErrorReport::connect(edtEnd, &TMcxDateEdit::dateChanged, this, &TfrmBaseListFilter::autoQuery);
}

bool TfrmBaseListFilter::datesAreValid() const
{
    return (edtStart->isEmpty() || edtStart->date().isValid()) && (edtEnd->isEmpty() || edtEnd->date().isValid());
}

void TfrmBaseListFilter::autoQuery()
{
    if (datesAreValid()) {
        QueryAction();
    }
}

void TfrmBaseListFilter::ShowStep()
{
    BaseSql = QStringLiteral("select * from ") + TableName + QStringLiteral(" where 1=1");
    const DaysSetting days = daysSetting();
    const DateRange::Start start = DateRange::startFromDays(days.value, days.fallbackDays);
    if (start.usedFallback) {
        MessageBox::information(this, days.message);
    }
    edtStart->setDate(start.date);
    edtEnd->setDate(Clock::today());
    QueryAction();
    showAdPage();
}

void TfrmBaseListFilter::QueryAction()
{
    for (const TMcxDateEdit* edit : {edtStart, edtEnd}) {
        if (!edit->isEmpty() && !edit->date().isValid()) {
            MessageBox::information(this, (edit == edtStart ? QStringLiteral("开始日期") : QStringLiteral("结束日期")) +
                                              QStringLiteral("“") + edit->text() +
                                              QStringLiteral("”不是有效的日期，请按“年-月-日”输入。"));
            return;
        }
    }
    FilterSql += DateRange::conditions(edtStart->date(), edtEnd->date());
    const QString sql = BaseSql + FilterSql + OrderSql;
    FilterSql.clear();
    openQuery(sql);
}

QString TfrmBaseListFilter::proposedExportName() const
{
    return safeFileName(windowTitle() + QLatin1Char('(') + edtStart->text() + QLatin1Char('~') + edtEnd->text() +
                        QStringLiteral(")_") + dm->title + QStringLiteral(".xls"));
}
