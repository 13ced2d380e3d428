#include "core/tools/RestInterval.h"

#include "core/data/TimerSpan.h"
#include "core/data/WholeNumber.h"

std::optional<int> RestInterval::milliseconds(const std::optional<QString>& parameter)
{
    std::optional<int> minutes;
    if (parameter) {
        minutes = WholeNumber::parse(*parameter);
    }
    const int n = minutes.value_or(kFallbackMinutes);
    if (n < 1) {
        return std::nullopt;
    }
    return TimerSpan::fromMinutes(n);
}
