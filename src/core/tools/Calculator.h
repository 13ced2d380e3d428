#pragma once

#include <QString>

// The drop-down calculator of a number box: digits, the four operations
// worked in the order they are pressed (2 + 3 × 4 = 20, as on a pocket
// calculator), = and C. Division by zero shows an error until C or a digit.
class Calculator {
public:
    enum class Op { None, Add, Subtract, Multiply, Divide };

    // Starts from a box's text; text that is no number starts from 0.
    void start(const QString& text);

    void digit(int d);
    void point();
    void operation(Op op);
    void equals();
    void clear();

    QString display() const { return m_display; }

    bool failed() const { return m_failed; }

    // Finishes a pending operation; the text to put into the box, or an empty
    // text when the calculation failed.
    QString result();

    static constexpr int kMaxDigits = 15;

private:
    bool apply();
    static QString format(double value);

    QString m_display = QStringLiteral("0");
    double m_accumulator = 0.0;
    Op m_pending = Op::None;
    bool m_newEntry = true;
    bool m_failed = false;
};
