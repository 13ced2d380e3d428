#include "forms/FileDialog.h"

#include <QFileDialog>

struct FileDialog::State {
    bool testMode = false;
    bool hasNext = false;
    QString next;
    QString proposed;
    UnansweredHook unanswered;
};

QString FileDialog::getSaveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                                    const QString& defaultSuffix)
{
    State& s = state();
    s.proposed = proposedPath;
    if (s.hasNext) {
        s.hasNext = false;
        return s.next;
    }
    if (s.testMode) {
        if (s.unanswered) {
            s.unanswered(proposedPath);
        }
        return {};
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

QString FileDialog::getOpenFileName(QWidget* parent, const QString& filter)
{
    State& s = state();
    s.proposed.clear();
    if (s.hasNext) {
        s.hasNext = false;
        return s.next;
    }
    if (s.testMode) {
        if (s.unanswered) {
            s.unanswered(QString());
        }
        return {};
    }
    QFileDialog dialog(parent, QStringLiteral("打开"), QString(), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("查找范围(I)："));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("文件名(&N)："));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("文件类型(T)："));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("打开(&O)"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

void FileDialog::setNextFileName(const QString& path)
{
    state().hasNext = true;
    state().next = path;
}

QString FileDialog::lastProposedPath()
{
    return state().proposed;
}

void FileDialog::setTestMode(bool on)
{
    UnansweredHook hook = std::move(state().unanswered);
    state() = State{};
    state().testMode = on;
    state().unanswered = std::move(hook);
}

void FileDialog::setUnansweredHook(UnansweredHook hook)
{
    state().unanswered = std::move(hook);
}

bool FileDialog::hasPendingFileName()
{
    return state().hasNext;
}

FileDialog::State& FileDialog::state()
{
    static State value;
    return value;
}
