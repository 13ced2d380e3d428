#pragma once

#include <QStringList>

// The picker's table of symbols and letters, one button each, in the order
// the buttons stand: arrows, mathematical signs, numbered signs, shapes,
// Latin and full-width letters, the keys of a US keyboard unshifted then
// shifted, their full-width forms, and a few East Asian marks (three of which
// repeat earlier characters; each repetition is a button of its own).
class SymbolTable {
public:
    static QStringList table();
};
