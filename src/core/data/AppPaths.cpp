#include "core/data/AppPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& programOverride()
{
    static QString folder;
    return folder;
}

QString& workingOverride()
{
    static QString folder;
    return folder;
}
} // namespace

QString AppPaths::programFolder()
{
    if (!programOverride().isEmpty()) {
        return programOverride();
    }
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

QString AppPaths::workingFolder()
{
    if (!workingOverride().isEmpty()) {
        return workingOverride();
    }
    return QDir::cleanPath(QDir::currentPath());
}

QString AppPaths::programFile(const QString& fileName)
{
    return programFolder() + QLatin1Char('/') + fileName;
}

QString AppPaths::workingFile(const QString& fileName)
{
    return workingFolder() + QLatin1Char('/') + fileName;
}

void AppPaths::setProgramFolder(const QString& folder)
{
    programOverride() = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

void AppPaths::setWorkingFolder(const QString& folder)
{
    workingOverride() = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}
