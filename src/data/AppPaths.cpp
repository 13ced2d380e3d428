#include "AppPaths.h"

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

QString withoutTrailingSlash(const QString& folder)
{
    QString clean = QDir::cleanPath(folder);
    return clean;
}
} // namespace

QString AppPaths::programFolder()
{
    if (!programOverride().isEmpty()) {
        return programOverride();
    }
    return withoutTrailingSlash(QCoreApplication::applicationDirPath());
}

QString AppPaths::workingFolder()
{
    if (!workingOverride().isEmpty()) {
        return workingOverride();
    }
    return withoutTrailingSlash(QDir::currentPath());
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
    programOverride() = folder.isEmpty() ? QString() : withoutTrailingSlash(folder);
}

void AppPaths::setWorkingFolder(const QString& folder)
{
    workingOverride() = folder.isEmpty() ? QString() : withoutTrailingSlash(folder);
}
