#pragma once

#include <QString>

class Query;

// The program's switches in table sysparam, read and written through the
// caller's own query with the statement the windows have always used; the
// name is bound, so any name is only ever a name.
class SysParams {
public:
    // val of the first row with that name; empty when there is none.
    static QString read(Query& query, const QString& name);

    static bool isOn(Query& query, const QString& name) { return read(query, name) == QLatin1String("Y"); }

    // Sets val of the first row with that name; a missing row is added so the
    // setting still holds at the next start.
    static void write(Query& query, const QString& name, const QString& value);
    static void writeSwitch(Query& query, const QString& name, bool on);

private:
    static void select(Query& query, const QString& name);
};
