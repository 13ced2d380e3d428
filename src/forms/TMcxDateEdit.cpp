#include "forms/TMcxDateEdit.h"

#include "core/data/Clock.h"
#include "core/data/DayNumber.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QDateTime wholeSeconds(const QDateTime& value)
{
    QTime time = value.time();
    return QDateTime(value.date(), QTime(time.hour(), time.minute(), time.second()));
}
} // namespace

TMcxDateEdit::TMcxDateEdit(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("qt_date_text"));
    m_edit->setPlaceholderText(QStringLiteral("yyyy-mm-dd"));
    m_edit->installEventFilter(this);
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
    connect(m_edit, &QLineEdit::editingFinished, this, &TMcxDateEdit::tidyText);
    connect(m_drop, &QToolButton::clicked, this, &TMcxDateEdit::showCalendar);
}

void TMcxDateEdit::setMode(Mode mode)
{
    const QDateTime value = dateTime();
    m_mode = mode;
    const bool withTime = mode == Mode::DateTime;
    m_edit->setPlaceholderText(withTime ? QStringLiteral("yyyy-mm-dd hh:mm:ss") : QStringLiteral("yyyy-mm-dd"));
    m_drop->setToolTip(withTime ? QStringLiteral("选择日期和时间") : QStringLiteral("选择日期"));
    delete m_popup; // rebuilt for the mode on the next drop-down
    m_popup = nullptr;
    m_calendar = nullptr;
    m_time = nullptr;
    if (value.isValid()) {
        setDateTime(value);
    }
}

QDate TMcxDateEdit::date() const
{
    return DayNumber::parse(m_edit->text()).date();
}

void TMcxDateEdit::setDate(const QDate& date)
{
    if (m_mode == Mode::DateTime) {
        setDateTime(date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime());
        return;
    }
    setText(date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString());
}

QDateTime TMcxDateEdit::dateTime() const
{
    return DayNumber::parse(m_edit->text());
}

void TMcxDateEdit::setDateTime(const QDateTime& value)
{
    if (m_mode == Mode::Date) {
        setDate(value.date());
        return;
    }
    setText(value.isValid() ? wholeSeconds(value).toString(dateTimeFormat()) : QString());
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
    QDateTime current = dateTime();
    if (current.isValid() && m_mode == Mode::Date) {
        current = QDateTime(current.date(), QTime(0, 0));
    }
    // Half-typed text is no change; a valid date or an emptied edit is.
    if (!empty && !current.isValid()) {
        return;
    }
    if (empty == m_lastEmpty && current == m_last) {
        return;
    }
    m_lastEmpty = empty;
    m_last = current;
    Q_EMIT dateChanged();
}

void TMcxDateEdit::tidyText()
{
    // "2026-3-5 8:0" becomes "2026-03-05 08:00:00" once the user leaves the edit.
    const QDateTime value = dateTime();
    if (m_mode == Mode::DateTime && value.isValid() && value.toString(dateTimeFormat()) != m_edit->text()) {
        setDateTime(value);
    }
}

bool TMcxDateEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier))) {
            showCalendar();
            return true;
        }
        if (m_mode == Mode::DateTime && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            return step(key->key() == Qt::Key_Up ? 1 : -1);
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TMcxDateEdit::step(int direction)
{
    const QDateTime value = dateTime();
    if (m_edit->text().isEmpty()) {
        setDateTime(Clock::now());
        return true;
    }
    if (!value.isValid()) {
        return false; // leave text that is no date as the user typed it
    }
    tidyText();
    // Positions in "yyyy-MM-dd HH:mm:ss": each part owns its digits and the
    // separator after them.
    const int cursor = m_edit->cursorPosition();
    QDateTime stepped;
    if (cursor <= 4) {
        stepped = value.addYears(direction);
    } else if (cursor <= 7) {
        stepped = value.addMonths(direction);
    } else if (cursor <= 10) {
        stepped = value.addDays(direction);
    } else if (cursor <= 13) {
        stepped = value.addSecs(3600LL * direction);
    } else if (cursor <= 16) {
        stepped = value.addSecs(60LL * direction);
    } else {
        stepped = value.addSecs(direction);
    }
    if (stepped.isValid()) {
        setDateTime(stepped);
        m_edit->setCursorPosition(cursor);
    }
    return true;
}

void TMcxDateEdit::buildPopup()
{
    const bool withTime = m_mode == Mode::DateTime;
    m_popup = new QWidget(this, Qt::Popup);
    m_popup->setObjectName(QStringLiteral("DateEditCalendar"));
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(2, 2, 2, 2);
    m_calendar = new QCalendarWidget(m_popup);
    // The locale brings its own first day of the week, so it goes first.
    m_calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    layout->addWidget(m_calendar);
    auto* buttons = new QHBoxLayout;
    auto* today = new QPushButton(withTime ? QStringLiteral("现在") : QStringLiteral("今天"), m_popup);
    today->setObjectName(QStringLiteral("btnToday"));
    auto* clear = new QPushButton(QStringLiteral("清除"), m_popup);
    clear->setObjectName(QStringLiteral("btnClear"));
    buttons->addWidget(today);
    connect(clear, &QPushButton::clicked, this, [this] {
        m_popup->hide();
        this->clear();
    });
    if (!withTime) {
        buttons->addStretch();
        buttons->addWidget(clear);
        layout->addLayout(buttons);
        connect(m_calendar, &QCalendarWidget::clicked, this, &TMcxDateEdit::pick);
        connect(m_calendar, &QCalendarWidget::activated, this, &TMcxDateEdit::pick);
        connect(today, &QPushButton::clicked, this, [this] { pick(Clock::today()); });
        return;
    }
    // With a time of day a click on a day only selects it; 确定, Enter or a
    // double click takes the day and the time together.
    auto* timeRow = new QHBoxLayout;
    auto* timeLabel = new QLabel(QStringLiteral("时间"), m_popup);
    m_time = new QTimeEdit(m_popup);
    m_time->setObjectName(QStringLiteral("timePart"));
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    timeLabel->setBuddy(m_time);
    timeRow->addWidget(timeLabel);
    timeRow->addWidget(m_time, 1);
    layout->addLayout(timeRow);
    auto* ok = new QPushButton(QStringLiteral("确定"), m_popup);
    ok->setObjectName(QStringLiteral("btnOk"));
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    const auto take = [this] { pickDateTime(QDateTime(m_calendar->selectedDate(), m_time->time())); };
    connect(ok, &QPushButton::clicked, this, take);
    connect(m_calendar, &QCalendarWidget::activated, this, take);
    connect(m_time, &QTimeEdit::editingFinished, this, [this, take] {
        if (m_popup->isVisible() && m_time->hasFocus()) {
            take();
        }
    });
    connect(today, &QPushButton::clicked, this, [this] { pickDateTime(Clock::now()); });
}

void TMcxDateEdit::showCalendar()
{
    if (!m_popup) {
        buildPopup();
    }
    const QDateTime current = dateTime();
    m_calendar->setSelectedDate(current.isValid() ? current.date() : Clock::today());
    if (m_time) {
        m_time->setTime(current.isValid() ? current.time() : wholeSeconds(Clock::now()).time());
    }
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

void TMcxDateEdit::pickDateTime(const QDateTime& value)
{
    if (m_popup) {
        m_popup->hide();
    }
    setDateTime(value);
    m_edit->setFocus();
}
