#pragma once

#include <QDateTime>
#include <QStringList>

// How an alarm repeats (the alert table's knd): 0 once, 1 every day, 2 Monday
// to Friday, 3 weekly, 4 monthly, 5 quarterly, 6 yearly. Dismissing a due
// alarm deletes a one-time alarm and moves a repeating one forward, step by
// step, to the first time of its series that is not in the past. The time of
// day never changes, so the steps are taken on the date alone.
class RepeatRule {
public:
    enum Kind { Once = 0, Daily, Weekdays, Weekly, Monthly, Quarterly, Yearly };

    static constexpr int kKindCount = 7;

    static bool isKnown(int kind) { return kind >= Once && kind <= Yearly; }

    // The seven texts in kind order, as the editor's combo box lists them.
    static QStringList kindTexts();
    // A kind outside 0-6 can only come from outside the program: shown as its number.
    static QString kindText(int kind);

    // The next due time after one step; invalid for a one-time alarm, an
    // unknown kind or an invalid time.
    static QDateTime next(const QDateTime& due, int kind);

    struct Dismissal {
        enum Action { Keep, Delete, Move };

        Action action = Keep;
        QDateTime due; // the new due time when moved
    };

    // What dismissing an alarm due at `due` does at `now`. An alarm not yet
    // overdue, and one of an unknown kind, are kept as they are.
    static Dismissal dismiss(const QDateTime& due, int kind, const QDateTime& now);

private:
    static QDate nextDate(const QDate& date, int kind);
};
