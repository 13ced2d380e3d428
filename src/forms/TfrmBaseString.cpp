#include "forms/TfrmBaseString.h"

#include "core/data/AppPaths.h"
#include "core/data/TextFile.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TfrmBaseString::TfrmBaseString(QWidget* owner)
    : TfrmBase(owner)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("常用字符"));
    resize(427, 308);
    move(785, 101);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = new QLabel(QStringLiteral("可以把常用内容粘贴到这里，以便需要时来这里复制！"), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(41);
    Panel1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Panel1);

    BaseString = new QPlainTextEdit(this);
    BaseString->setObjectName(QStringLiteral("BaseString"));
    BaseString->setLineWrapMode(QPlainTextEdit::NoWrap);
    BaseString->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BaseString->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(BaseString);

    // A missing or unreadable file starts an empty pad.
    BaseString->setPlainText(TextFile::read(filePath()).value_or(QString()));
}

QString TfrmBaseString::filePath()
{
    return AppPaths::workingFile(QStringLiteral("BaseString.txt"));
}

void TfrmBaseString::done(int result)
{
    // Saved however the window closes; a folder that cannot be written loses
    // the new text quietly, the old file stays whole.
    TextFile::write(filePath(), BaseString->toPlainText());
    TfrmBase::done(result);
}
