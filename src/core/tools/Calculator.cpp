#include "core/tools/Calculator.h"

#include "core/tools/LoanPayment.h"

#include <algorithm>
#include <cmath>

void Calculator::start(const QString& text)
{
    clear();
    if (const auto value = LoanPayment::parseNumber(text)) {
        m_display = format(*value);
    }
}

void Calculator::digit(int d)
{
    if (m_failed) {
        clear();
    }
    const QChar c = QChar(u'0' + char16_t(d));
    if (m_newEntry || m_display == QLatin1String("0")) {
        m_display = c;
        m_newEntry = false;
        return;
    }
    qsizetype digits = 0;
    for (QChar ch : m_display) {
        digits += ch.isDigit() ? 1 : 0;
    }
    if (digits < kMaxDigits) {
        m_display += c;
    }
}

void Calculator::point()
{
    if (m_failed) {
        clear();
    }
    if (m_newEntry) {
        m_display = QStringLiteral("0.");
        m_newEntry = false;
    } else if (!m_display.contains(QLatin1Char('.'))) {
        m_display += QLatin1Char('.');
    }
}

void Calculator::operation(Op op)
{
    if (m_failed) {
        return;
    }
    // A second operation key in a row only changes its mind.
    if (m_pending != Op::None && !m_newEntry) {
        if (!apply()) {
            return;
        }
    } else if (m_pending == Op::None) {
        m_accumulator = m_display.toDouble();
    }
    m_pending = op;
    m_newEntry = true;
}

void Calculator::equals()
{
    // An operation with no number typed after it is dropped: 2 + 3 × = gives 5.
    if (m_failed || m_pending == Op::None || m_newEntry) {
        m_pending = Op::None;
        m_newEntry = true;
        return;
    }
    if (apply()) {
        m_pending = Op::None;
        m_newEntry = true;
    }
}

void Calculator::clear()
{
    m_display = QStringLiteral("0");
    m_accumulator = 0.0;
    m_pending = Op::None;
    m_newEntry = true;
    m_failed = false;
}

QString Calculator::result()
{
    equals();
    if (m_failed) {
        return {};
    }
    return format(m_display.toDouble());
}

bool Calculator::apply()
{
    const double operand = m_display.toDouble();
    double value = m_accumulator;
    switch (m_pending) {
    case Op::None:
        value = operand;
        break;
    case Op::Add:
        value += operand;
        break;
    case Op::Subtract:
        value -= operand;
        break;
    case Op::Multiply:
        value *= operand;
        break;
    case Op::Divide:
        value = operand == 0.0 ? std::nan("") : value / operand;
        break;
    }
    if (!std::isfinite(value)) {
        m_failed = true;
        m_display = QStringLiteral("错误");
        m_pending = Op::None;
        m_newEntry = true;
        return false;
    }
    m_accumulator = value;
    m_display = format(value);
    return true;
}

QString Calculator::format(double value)
{
    if (value == 0.0) {
        return QStringLiteral("0"); // also for -0
    }
    // Fifteen significant digits hide binary noise: 0.1 + 0.2 shows 0.3.
    const int decimals = std::max(0, 15 - 1 - int(std::floor(std::log10(std::fabs(value)))));
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) {
            text.chop(1);
        }
        if (text.endsWith(QLatin1Char('.'))) {
            text.chop(1);
        }
    }
    return text;
}
