#include "tools/TMcxcalcEdit.h"

#include "tools/CalcPopup.h"

#include <QAction>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QStyle>

TMcxcalcEdit::TMcxcalcEdit(QWidget* parent)
    : QLineEdit(parent)
{
    // Intermediate forms ("-", "3.") must be typable; the windows check the number.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[+-]?\\d*\\.?\\d*")), this));
    m_dropDown = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    m_dropDown->setObjectName(QStringLiteral("actDropDown"));
    m_dropDown->setToolTip(QStringLiteral("计算器"));
    connect(m_dropDown, &QAction::triggered, this, &TMcxcalcEdit::DroppedDown);
}

CalcPopup* TMcxcalcEdit::popup() const
{
    return m_popup;
}

void TMcxcalcEdit::DroppedDown()
{
    if (m_popup) {
        return;
    }
    m_popup = new CalcPopup(text(), this);
    connect(m_popup, &CalcPopup::accepted, this, [this](const QString& value) {
        setText(value);
        Q_EMIT editingFinished();
    });
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
}

void TMcxcalcEdit::keyPressEvent(QKeyEvent* event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (altDown || event->key() == Qt::Key_F4) {
        DroppedDown();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
