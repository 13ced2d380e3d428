#pragma once

#include <QString>
#include <optional>

// A decimal whole number as the settings hold it: optional leading spaces, an
// optional sign and digits, nothing else. "30" and " -5" parse; "", "3.5",
// "30 " and "abc" do not.
class WholeNumber {
public:
    static std::optional<int> parse(const QString& text);
};
