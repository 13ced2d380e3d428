#pragma once

#include "forms/TfrmBaseList.h"

class QTimer;
class TMcxDateEdit;
class Tdm;

// A list over a date range of the column dt: the range starts a book's
// number of days before today and ends today, and every change of either date
// re-runs the query.
class TfrmBaseListFilter : public TfrmBaseList {
    Q_OBJECT

public:
    // The book's days parameter, the days used when it gives no date the
    // calendar holds, and the message that says so.
    struct DaysSetting {
        QString value;
        int fallbackDays = 30;
        QString message;
    };

    // A book's days parameter, read from the cache when the list opens.
    struct Days {
        QString Tdm::*parameter = nullptr;
        int fallbackDays = 30;
        QString listName; // how the fallback message names the list, "记事列表"
    };

    using EditorFactory = TfrmBaseEdit* (*)(QWidget* owner);

    // All that a date-filtered book declares; listing, filtering and the
    // editor flows are the framework's.
    struct Book {
        QString caption;
        QString table;
        QList<GridColumn> columns;
        QString adPage;
        Days days;
        EditorFactory editor = nullptr;
    };

    template <class Editor> static TfrmBaseEdit* editorOf(QWidget* owner) { return new Editor(owner); }

    explicit TfrmBaseListFilter(QWidget* owner = nullptr);
    explicit TfrmBaseListFilter(const Book& book, QWidget* owner = nullptr);

    // "“<list>默认日期范围天数”格式错误，请重新设置。现在默认<n>天。"
    static QString fallbackMessage(const QString& listName, int fallbackDays);

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
    // The declared book's parameter; a list built without a declaration supplies its own.
    virtual DaysSetting daysSetting() const;
    TfrmBaseEdit* createEditor() override;
    void ShowStep() override;

    void afterDelete() override { QueryAction(); }

    QString proposedExportName() const override;

private:
    void connectDateChanges();
    // A date change re-runs the query, quietly waiting while either edit
    // holds text that is no date yet.
    void autoQuery();
    bool datesAreValid() const;

    Book m_book;
    bool m_datesConnected = false;
};
