#include "forms/TMcxDateEdit.h"

#include "core/data/Clock.h"
#include "core/data/DayNumber.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TMcxDateEdit::TMcxDateEdit(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("qt_date_text"));
    m_edit->setPlaceholderText(QStringLiteral("yyyy-mm-dd"));
    m_drop = new QToolButton(this);
    m_drop->setObjectName(QStringLiteral("qt_date_drop"));
    m_drop->setArrowType(Qt::DownArrow);
    m_drop->setFocusPolicy(Qt::NoFocus);
    m_drop->setToolTip(QStringLiteral("选择日期"));
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_drop);
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);

    connect(m_edit, &QLineEdit::textChanged, this, &TMcxDateEdit::onTextChanged);
    connect(m_drop, &QToolButton::clicked, this, &TMcxDateEdit::showCalendar);
}

QDate TMcxDateEdit::date() const
{
    return DayNumber::parse(m_edit->text()).date();
}

void TMcxDateEdit::setDate(const QDate& date)
{
    setText(date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString());
}

QString TMcxDateEdit::text() const
{
    return m_edit->text();
}

void TMcxDateEdit::setText(const QString& text)
{
    m_edit->setText(text);
}

void TMcxDateEdit::onTextChanged()
{
    const bool empty = m_edit->text().isEmpty();
    const QDate current = date();
    // Half-typed text is no change; a valid date or an emptied edit is.
    if (!empty && !current.isValid()) {
        return;
    }
    if (empty == m_lastEmpty && current == m_lastDate) {
        return;
    }
    m_lastEmpty = empty;
    m_lastDate = current;
    Q_EMIT dateChanged();
}

void TMcxDateEdit::showCalendar()
{
    if (!m_popup) {
        m_popup = new QWidget(this, Qt::Popup);
        m_popup->setObjectName(QStringLiteral("DateEditCalendar"));
        auto* layout = new QVBoxLayout(m_popup);
        layout->setContentsMargins(2, 2, 2, 2);
        m_calendar = new QCalendarWidget(m_popup);
        m_calendar->setFirstDayOfWeek(Qt::Monday);
        m_calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
        layout->addWidget(m_calendar);
        auto* buttons = new QHBoxLayout;
        auto* today = new QPushButton(QStringLiteral("今天"), m_popup);
        auto* clear = new QPushButton(QStringLiteral("清除"), m_popup);
        buttons->addWidget(today);
        buttons->addStretch();
        buttons->addWidget(clear);
        layout->addLayout(buttons);
        connect(m_calendar, &QCalendarWidget::clicked, this, &TMcxDateEdit::pick);
        connect(m_calendar, &QCalendarWidget::activated, this, &TMcxDateEdit::pick);
        connect(today, &QPushButton::clicked, this, [this] { pick(Clock::today()); });
        connect(clear, &QPushButton::clicked, this, [this] {
            m_popup->hide();
            this->clear();
        });
    }
    const QDate current = date();
    m_calendar->setSelectedDate(current.isValid() ? current : Clock::today());
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
    m_calendar->setFocus();
}

void TMcxDateEdit::pick(const QDate& date)
{
    if (m_popup) {
        m_popup->hide();
    }
    setDate(date);
    m_edit->setFocus();
}
