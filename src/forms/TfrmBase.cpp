#include "forms/TfrmBase.h"

#include "forms/ControlTag.h"
#include "forms/FontMapper.h"

#include <QScreen>

TfrmBase::TfrmBase(QWidget* owner)
    : QDialog(owner)
{
    setFont(FontMapper::font(FontMapper::song(), 16));
    resize(870, 480);
    setModal(true);
}

int TfrmBase::tag() const
{
    return ControlTag::of(this);
}

void TfrmBase::setTag(int tag)
{
    ControlTag::set(this, tag);
}

void TfrmBase::showEvent(QShowEvent* event)
{
    // Without a window manager nobody maximises the window; fill the screen ourselves.
    if (!m_placed && (windowState() & Qt::WindowMaximized)) {
        if (const QScreen* screen = this->screen()) {
            setGeometry(screen->availableGeometry());
            setWindowState(windowState() | Qt::WindowMaximized);
        }
    }
    if (!m_placed && !(windowState() & Qt::WindowMaximized) && !testAttribute(Qt::WA_Moved)) {
        if (const QScreen* screen = this->screen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
    }
    m_placed = true;
    QDialog::showEvent(event);
}
