#pragma once

#include <QApplication>

// The last net for an exception that escaped an entry point: it is handed to
// the general error report, so that one failed action never ends the program.
class PelApplication : public QApplication {
    Q_OBJECT

public:
    PelApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
