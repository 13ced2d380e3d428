#pragma once

#include <QObject>

// Tells the program that the desktop session is ending, so that it closes at
// once without its questions.
class SessionEnd : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    void ending();
};
