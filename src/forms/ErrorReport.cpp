#include "forms/ErrorReport.h"

#include "core/data/DbError.h"
#include "forms/MessageBox.h"

void ErrorReport::show(const QString& text)
{
    MessageBox::error(nullptr, text);
}

void ErrorReport::show(const std::exception& error)
{
    if (const auto* dbError = dynamic_cast<const DbError*>(&error)) {
        show(dbError->message());
        return;
    }
    show(QString::fromLocal8Bit(error.what()));
}

void ErrorReport::showCurrent()
{
    try {
        throw;
    } catch (const std::exception& error) {
        show(error);
    } catch (...) {
        show(QStringLiteral("发生未知错误。"));
    }
}
