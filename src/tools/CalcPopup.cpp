#include "tools/CalcPopup.h"

#include <QGridLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {
struct Key {
    const char* caption;
    const char* name;
    int row;
    int column;
    int span;
};

const Key kKeys[] = {
    {"7", "btnKey7", 1, 0, 1},  {"8", "btnKey8", 1, 1, 1},  {"9", "btnKey9", 1, 2, 1},   {"÷", "btnDivide", 1, 3, 1},
    {"4", "btnKey4", 2, 0, 1},  {"5", "btnKey5", 2, 1, 1},  {"6", "btnKey6", 2, 2, 1},   {"×", "btnMultiply", 2, 3, 1},
    {"1", "btnKey1", 3, 0, 1},  {"2", "btnKey2", 3, 1, 1},  {"3", "btnKey3", 3, 2, 1},   {"−", "btnSubtract", 3, 3, 1},
    {"0", "btnKey0", 4, 0, 1},  {".", "btnPoint", 4, 1, 1}, {"=", "btnEquals", 4, 2, 1}, {"+", "btnAdd", 4, 3, 1},
    {"C", "btnClear", 5, 0, 2}, {"OK", "btnOk", 5, 2, 2},
};
} // namespace

CalcPopup::CalcPopup(const QString& startText, QWidget* parent)
    : QFrame(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("CalcPopup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Box);
    m_calc.start(startText);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(2);
    m_display = new QLineEdit(this);
    m_display->setObjectName(QStringLiteral("edtDisplay"));
    m_display->setReadOnly(true);
    m_display->setAlignment(Qt::AlignRight);
    m_display->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(m_display, 0, 0, 1, 4);
    for (const Key& key : kKeys) {
        const QString caption = QString::fromUtf8(key.caption);
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromUtf8(key.name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setFixedHeight(25);
        button->setFixedWidth(key.span * 40 + (key.span - 1) * 2);
        grid->addWidget(button, key.row, key.column, 1, key.span);
        connect(button, &QPushButton::clicked, this, [this, caption] { press(caption); });
    }
    m_display->setText(m_calc.display());
}

QPushButton* CalcPopup::key(const QString& caption) const
{
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->text() == caption) {
            return button;
        }
    }
    return nullptr;
}

void CalcPopup::press(const QString& caption)
{
    const QChar first = caption.front();
    if (caption == QLatin1String("OK")) {
        ok();
        return;
    }
    if (first.isDigit()) {
        m_calc.digit(first.digitValue());
    } else if (first == u'.') {
        m_calc.point();
    } else if (first == u'+') {
        m_calc.operation(Calculator::Op::Add);
    } else if (first == u'−') {
        m_calc.operation(Calculator::Op::Subtract);
    } else if (first == u'×') {
        m_calc.operation(Calculator::Op::Multiply);
    } else if (first == u'÷') {
        m_calc.operation(Calculator::Op::Divide);
    } else if (first == u'=') {
        m_calc.equals();
    } else if (first == u'C') {
        m_calc.clear();
    }
    m_display->setText(m_calc.display());
}

void CalcPopup::ok()
{
    const QString value = m_calc.result();
    m_display->setText(m_calc.display());
    // A failed calculation stays open with its error showing.
    if (value.isEmpty()) {
        return;
    }
    Q_EMIT accepted(value);
    close();
}

void CalcPopup::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ok();
        return;
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Delete:
        press(QStringLiteral("C"));
        return;
    default:
        break;
    }
    // Keyboard signs stand for the keys' captions.
    static const QHash<QChar, QString> signs = {
        {u'-', QStringLiteral("−")}, {u'*', QStringLiteral("×")}, {u'/', QStringLiteral("÷")},
        {u'c', QStringLiteral("C")}, {u'C', QStringLiteral("C")},
    };
    const QString text = event->text();
    if (text.size() == 1) {
        const QChar c = text.front();
        if (c.isDigit() || c == u'.' || c == u'+' || c == u'=') {
            press(text);
            return;
        }
        if (signs.contains(c)) {
            press(signs.value(c));
            return;
        }
    }
    QFrame::keyPressEvent(event);
}
