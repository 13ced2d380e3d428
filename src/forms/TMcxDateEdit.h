#pragma once

#include <QDateTime>
#include <QWidget>

class QCalendarWidget;
class QLineEdit;
class QTimeEdit;
class QToolButton;

// A date edit that can be empty: it shows and accepts dates as yyyy-MM-dd and
// offers a drop-down calendar with 今天 and 清除. Text that is not a date stays
// as typed (date() is then invalid), so nothing the user typed is lost.
//
// In date-and-time mode it shows yyyy-MM-dd HH:mm:ss, its drop-down adds the
// time of day, and Up and Down step the part under the cursor. Alt+Down or F4
// opens the drop-down in either mode.
class TMcxDateEdit : public QWidget {
    Q_OBJECT

public:
    enum class Mode { Date, DateTime };

    explicit TMcxDateEdit(QWidget* parent = nullptr);

    void setMode(Mode mode);

    Mode mode() const { return m_mode; }

    QDate date() const;
    void setDate(const QDate& date); // an invalid date empties the edit
    // Invalid when empty or not a date; a date without a time is at midnight.
    QDateTime dateTime() const;
    void setDateTime(const QDateTime& value); // shown to the second
    QString text() const;
    void setText(const QString& text);

    void clear() { setText({}); }

    bool isEmpty() const { return text().isEmpty(); }

    QLineEdit* lineEdit() const { return m_edit; }

    QToolButton* dropButton() const { return m_drop; }

    void showCalendar();

    QWidget* calendarPopup() const { return m_popup; }

    QTimeEdit* timePart() const { return m_time; }

    static QString dateTimeFormat() { return QStringLiteral("yyyy-MM-dd HH:mm:ss"); }

Q_SIGNALS:
    // The date it stands for changed: a new valid date, or emptied.
    void dateChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onTextChanged();
    void buildPopup();
    void pick(const QDate& date);
    void pickDateTime(const QDateTime& value);
    bool step(int direction);
    void tidyText();

    Mode m_mode = Mode::Date;
    QLineEdit* m_edit = nullptr;
    QToolButton* m_drop = nullptr;
    QWidget* m_popup = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    QTimeEdit* m_time = nullptr;
    QDateTime m_last;
    bool m_lastEmpty = true;
};
