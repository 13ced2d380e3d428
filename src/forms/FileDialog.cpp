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
    QFileDialog dialog(parent, QStringLiteral("另存为"), proposedPath, filter);
    // The system's own dialog would speak the system's language; this one is
    // worded here, like the rest of the program.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("保存在(I)："));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("文件名(&N)："));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("保存类型(T)："));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("保存(&S)"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
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
