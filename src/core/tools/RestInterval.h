#pragma once

#include <QString>
#include <optional>

// The eye-rest interval from the parameter huyanshijian (whole minutes): text
// that is no whole number, or a parameter that cannot be read, gives an hour;
// less than a minute turns the reminder off.
class RestInterval {
public:
    static constexpr int kFallbackMinutes = 60;

    // The timer interval in milliseconds, or nullopt when the reminder is off.
    // parameter is nullopt when it could not be read.
    static std::optional<int> milliseconds(const std::optional<QString>& parameter);
};
