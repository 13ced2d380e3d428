#include "tools/TfrmMoreChar.h"

#include "core/tools/SymbolTable.h"
#include "forms/FontMapper.h"
#include "tools/TfrmStr.h"

#include <QLineEdit>
#include <QScreen>
#include <QToolButton>

TfrmMoreChar::TfrmMoreChar(TfrmStr* owner)
    : QDialog(owner)
    , m_owner(owner)
{
    setWindowTitle(QStringLiteral("特殊字符"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(FontMapper::font(FontMapper::song(), 16));
    setFixedSize(857, 497);
    setModal(true);
}

void TfrmMoreChar::showEvent(QShowEvent* event)
{
    if (m_buttons.isEmpty()) {
        if (const QScreen* screen = this->screen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfrmMoreChar::FormShow()
{
    int x = 8;
    int y = 8;
    for (const QString& character : SymbolTable::table()) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("btnChar%1").arg(m_buttons.size() + 1));
        // A lone & would be taken for a shortcut mark.
        button->setText(character == QLatin1String("&") ? QStringLiteral("&&") : character);
        button->setGeometry(x, y, 23, 22);
        button->setFocusPolicy(Qt::NoFocus);
        button->show();
        connect(button, &QToolButton::clicked, this, [this, character] { pick(character); });
        m_buttons << button;
        x += 32;
        if (x >= 824) {
            x = 8;
            y += 32;
        }
    }
}

void TfrmMoreChar::pick(const QString& character)
{
    m_owner->Edit1->setText(character);
    accept();
}
