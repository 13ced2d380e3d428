#pragma once

#include <QString>

class Tdm;

// The first-start marker: the first start of a new database records its time
// in userno and sets useflag to "1", once in the life of the database.
class FirstStart {
public:
    // Returns true when this was the first start.
    static bool mark(Tdm& data);
    // "yyyyMMddhhmmsszzz" of the clock's now.
    static QString timeStamp();
};
