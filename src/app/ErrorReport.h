#pragma once

#include <QString>
#include <exception>

// The application's general error report: an error that no handler caught is
// shown in a message box with its text, and the program goes on.
class ErrorReport {
public:
    static void show(const QString& text);
    static void show(const std::exception& error);
};
