#include "forms/FileDialog.h"

#include <QFileDialog>

QString FileDialog::getSaveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                                    const QString& defaultSuffix)
{
    proposed() = proposedPath;
    if (hasNext()) {
        hasNext() = false;
        return next();
    }
    QFileDialog dialog(parent, QString(), proposedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // Exports replace an existing file without asking.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

void FileDialog::setNextFileName(const QString& path)
{
    hasNext() = true;
    next() = path;
}

QString FileDialog::lastProposedPath()
{
    return proposed();
}

bool& FileDialog::hasNext()
{
    static bool value = false;
    return value;
}

QString& FileDialog::next()
{
    static QString value;
    return value;
}

QString& FileDialog::proposed()
{
    static QString value;
    return value;
}
