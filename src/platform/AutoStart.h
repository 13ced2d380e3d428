#pragma once

#include <QString>

// Starting the program when the user logs in. Implementations keep one entry
// that starts the executable by its full quoted path.
class AutoStart {
public:
    virtual ~AutoStart() = default;

    // True when the entry exists and starts exactly this executable; an entry
    // left by a moved program does not count (and is left in place).
    virtual bool isEnabledFor(const QString& executable) const = 0;
    // Throws std::runtime_error with the platform's reason when it cannot.
    virtual void enable(const QString& executable) = 0;
    // Quietly does nothing when the entry cannot be removed.
    virtual void disable() = 0;
};
