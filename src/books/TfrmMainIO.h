#pragma once

#include "forms/TfrmBaseListFilter.h"

class GridFooter;

// The list shared by the income and the spending book: entries of a date
// range, newest first, with the number of entries and the exact sum of their
// amounts in a footer under the grid.
class TfrmMainIO : public TfrmBaseListFilter {
    Q_OBJECT

public:
    // The columns, the footer and the page are the ledger's.
    TfrmMainIO(const QString& caption, const QString& table, const Days& days, EditorFactory editor,
               QWidget* owner = nullptr);

    GridFooter* footer = nullptr;

protected:
    void shownRowsChanged() override;

private:
    static Book ledger(const QString& caption, const QString& table, const Days& days, EditorFactory editor);
};
