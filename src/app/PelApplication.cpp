#include "app/PelApplication.h"

#include "forms/ErrorReport.h"

PelApplication::PelApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool PelApplication::notify(QObject* receiver, QEvent* event)
{
    // The last net only: entry points catch their own errors through
    // ErrorReport's guard, before they reach Qt's frames.
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ErrorReport::showCurrent();
    }
    return false;
}
