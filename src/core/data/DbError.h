#pragma once

#include <QString>
#include <stdexcept>

// A failed database operation. The message is meant for the user, in Chinese,
// and is what the general error report shows.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};
