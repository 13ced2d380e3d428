#pragma once

#include <QString>

// Starts a script the program wrote (the shutdown tool's), without waiting
// for it: in a window the user sees, or hidden.
class ScriptStarter {
public:
    virtual ~ScriptStarter() = default;

    // False when the script could not be started at all.
    virtual bool start(const QString& script, bool shown) = 0;
};
