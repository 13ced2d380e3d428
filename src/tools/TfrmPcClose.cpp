#include "tools/TfrmPcClose.h"

#include "core/data/AppPaths.h"
#include "core/data/AtomicFile.h"
#include "core/data/Clock.h"
#include "forms/ErrorReport.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "platform/Platform.h"
#include "platform/ScriptStarter.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QComboBox* numberBox(QWidget* body, const char* name, int count, QRect place)
{
    auto* box = new QComboBox(body);
    box->setObjectName(QString::fromLatin1(name));
    for (int i = 0; i < count; ++i) {
        box->addItem(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
    }
    box->setMaxVisibleItems(24);
    box->setGeometry(place.x(), place.y(), place.width(), box->sizeHint().height());
    return box;
}

void caption(QWidget* body, const char* text, QPoint at)
{
    auto* label = new QLabel(QString::fromUtf8(text), body);
    label->move(at);
    label->adjustSize();
}
} // namespace

TfrmPcClose::TfrmPcClose(QWidget* owner)
    : TfrmBaseTool(owner)
{
    setObjectName(QStringLiteral("frmPcClose"));
    setWindowTitle(QStringLiteral("定时关机"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    resize(kWidth, kHeight);

    // Places are given in window coordinates; the body starts under the tool panel.
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("pnlBody"));
    const auto at = [](int x, int y, int w = 0, int h = 0) { return QRect(x, y - kToolHeight, w, h); };
    caption(body, "小时", at(16, 48).topLeft());
    caption(body, "分钟", at(96, 48).topLeft());
    McxComboBox1 = numberBox(body, "McxComboBox1", 24, at(16, 72, 65));
    McxComboBox2 = numberBox(body, "McxComboBox2", 60, at(96, 72, 65));

    using Action = ShutdownScript::Action;
    btnSchedule = addAction(body, "btnSchedule", "设置定时关机", at(176, 72, 113, 25), Action::Schedule);
    btnList = addAction(body, "btnList", "查看定时关机", at(304, 72, 113, 25), Action::List);
    btnNow = addAction(body, "btnNow", "立即关机", at(16, 112, 113, 25), Action::Now);
    btnCancel = addAction(body, "btnCancel", "取消定时关机", at(176, 112, 113, 25), Action::Cancel);
    btnAbort = addAction(body, "btnAbort", "取消正在进行的关机", at(304, 112, 169, 25), Action::Abort);
    windowLayout()->addWidget(body, 1);

    memExplain = new QPlainTextEdit(this);
    memExplain->setObjectName(QStringLiteral("memExplain"));
    memExplain->setReadOnly(true);
    memExplain->setFixedHeight(197);
    memExplain->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memExplain->setFont(FontMapper::font(FontMapper::song(), 13));
    QPalette face = memExplain->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    memExplain->setPalette(face);
    memExplain->setPlainText(ShutdownScript::explanation(ShutdownScript::thisSystem()).join(QLatin1Char('\n')));
    windowLayout()->addWidget(memExplain);

    // The boxes propose one hour from now.
    const QTime proposed = Clock::now().addSecs(3600).time();
    McxComboBox1->setCurrentIndex(proposed.hour());
    McxComboBox2->setCurrentIndex(proposed.minute());
}

QPushButton* TfrmPcClose::addAction(QWidget* body, const char* name, const char* caption, QRect place,
                                    ShutdownScript::Action action)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), body);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    ErrorReport::connect(button, &QPushButton::clicked, this, [this, action] { run(action); });
    return button;
}

bool TfrmPcClose::run(ShutdownScript::Action action)
{
    const ShutdownScript::System system = ShutdownScript::thisSystem();
    const QStringList lines =
        ShutdownScript::lines(action, system, McxComboBox1->currentText(), McxComboBox2->currentText());
    const QString path = AppPaths::workingFile(ShutdownScript::fileName(system));
    QString error;
    if (!AtomicFile::writeAll(path, ShutdownScript::bytes(lines, system), &error)) {
        MessageBox::error(this, QStringLiteral("无法写入“%1”：%2").arg(path, error));
        return false;
    }
    return Platform::scriptStarter().start(path, ShutdownScript::shown(action));
}
