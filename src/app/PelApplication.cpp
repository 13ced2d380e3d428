#include "app/PelApplication.h"

#include "app/ErrorReport.h"

PelApplication::PelApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool PelApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ErrorReport::show(error);
    } catch (...) {
        ErrorReport::show(QStringLiteral("发生未知错误。"));
    }
    return false;
}
