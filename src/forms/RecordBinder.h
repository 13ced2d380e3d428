#pragma once

#include <QList>

class Query;
class QWidget;

// Loads and saves one record by the names of a window's controls: each control
// that holds a value bears its column's name, and its kind says how the value
// is read and written. Controls are visited in the order they were created.
class RecordBinder {
public:
    enum class Kind { None, Text, Memo, Date, Combo, Check, ButtonEdit };

    // Tags that choose a special binding.
    static constexpr int kSkip = -3;
    static constexpr int kOnlyWhenFilled = -2;
    static constexpr int kPlainButtonEdit = -1;

    static Kind kindOf(const QWidget* control);
    static QList<QWidget*> boundControls(const QWidget* window);

    static void load(const QWidget* window, const Query& query);
    // The first required control (shadow on) that is empty, or nullptr.
    static QWidget* firstEmptyRequired(const QWidget* window);
    static void save(const QWidget* window, Query& query);

    static QString textOf(const QWidget* control);
};
