#pragma once

#include <QApplication>

// Catches what escapes an event handler and hands it to the general error
// report, so that one failed action never ends the program.
class PelApplication : public QApplication {
    Q_OBJECT

public:
    PelApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
