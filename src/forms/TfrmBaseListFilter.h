#pragma once

#include "forms/TfrmBaseList.h"

class QTimer;
class TMcxDateEdit;

// A list over a date range of the column dt: the range starts a book's
// number of days before today and ends today, and every change of either date
// re-runs the query.
class TfrmBaseListFilter : public TfrmBaseList {
    Q_OBJECT

public:
    explicit TfrmBaseListFilter(QWidget* owner = nullptr);

    // The book's days parameter, the days used when it is not a whole number,
    // and the message that says so.
    struct DaysSetting {
        QString value;
        int fallbackDays = 30;
        QString message;
    };

    QPushButton* btnFilter = nullptr;
    QFrame* pnlFilter = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    TMcxDateEdit* edtStart = nullptr;
    TMcxDateEdit* edtEnd = nullptr;
    QTimer* TimerAutoFIlter = nullptr;

public Q_SLOTS:
    void QueryAction();

protected:
    virtual DaysSetting daysSetting() const = 0;
    void ShowStep() override;

    void afterDelete() override { QueryAction(); }

    QString proposedExportName() const override;

private:
    void connectDateChanges();
    // A date change re-runs the query, quietly waiting while either edit
    // holds text that is no date yet.
    void autoQuery();
    bool datesAreValid() const;

    bool m_datesConnected = false;
};
