#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

// A date edit that can be empty: it shows and accepts dates as yyyy-MM-dd and
// offers a drop-down calendar with 今天 and 清除. Text that is not a date stays
// as typed (date() is then invalid), so nothing the user typed is lost.
class TMcxDateEdit : public QWidget {
    Q_OBJECT

public:
    explicit TMcxDateEdit(QWidget* parent = nullptr);

    QDate date() const;
    void setDate(const QDate& date); // an invalid date empties the edit
    QString text() const;
    void setText(const QString& text);

    void clear() { setText({}); }

    bool isEmpty() const { return text().isEmpty(); }

    QLineEdit* lineEdit() const { return m_edit; }

    QToolButton* dropButton() const { return m_drop; }

    void showCalendar();

    QWidget* calendarPopup() const { return m_popup; }

Q_SIGNALS:
    // The date it stands for changed: a new valid date, or emptied.
    void dateChanged();

private:
    void onTextChanged();
    void pick(const QDate& date);

    QLineEdit* m_edit = nullptr;
    QToolButton* m_drop = nullptr;
    QWidget* m_popup = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    QDate m_lastDate;
    bool m_lastEmpty = true;
};
