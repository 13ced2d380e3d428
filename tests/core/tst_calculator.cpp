#include "core/tools/Calculator.h"

#include <QTest>

// Keys as on the popup: 0-9 . + - * / = C, and S to start from "start".
class TestCalculator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keys_data();
    void keys();
};

void TestCalculator::keys_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("result");
    QTest::newRow("starts from the box") << "6.55"
                                         << ""
                                         << "6.55"
                                         << "6.55";
    QTest::newRow("box holds no number") << "abc"
                                         << ""
                                         << "0"
                                         << "0";
    QTest::newRow("typing replaces the start") << "50"
                                               << "12"
                                               << "12"
                                               << "12";
    QTest::newRow("operation on the start") << "50"
                                            << "*2="
                                            << "100"
                                            << "100";
    QTest::newRow("in the order pressed") << ""
                                          << "2+3*4="
                                          << "20"
                                          << "20";
    QTest::newRow("running total shown") << ""
                                         << "2+3*"
                                         << "5"
                                         << "5";
    QTest::newRow("OK finishes the pending operation") << ""
                                                       << "7-2"
                                                       << "2"
                                                       << "5";
    QTest::newRow("second operation key changes its mind") << ""
                                                           << "8+-3="
                                                           << "5"
                                                           << "5";
    QTest::newRow("repeated equals keeps the value") << ""
                                                     << "9/3=="
                                                     << "3"
                                                     << "3";
    QTest::newRow("decimals without noise") << ""
                                            << ".1+.2="
                                            << "0.3"
                                            << "0.3";
    QTest::newRow("one point only") << ""
                                    << "1.2.5"
                                    << "1.25"
                                    << "1.25";
    QTest::newRow("no leading zeros") << ""
                                      << "0007"
                                      << "7"
                                      << "7";
    QTest::newRow("trailing point dropped") << ""
                                            << "20."
                                            << "20."
                                            << "20";
    QTest::newRow("negative result") << ""
                                     << "3-5="
                                     << "-2"
                                     << "-2";
    QTest::newRow("clear") << "50"
                           << "+5C"
                           << "0"
                           << "0";
    QTest::newRow("clear forgets the pending operation") << ""
                                                         << "4+C3="
                                                         << "3"
                                                         << "3";
    QTest::newRow("divide by zero") << ""
                                    << "5/0="
                                    << "错误"
                                    << "";
    QTest::newRow("digit after an error starts again") << ""
                                                       << "5/0=7"
                                                       << "7"
                                                       << "7";
    QTest::newRow("digits capped") << ""
                                   << "12345678901234567"
                                   << "123456789012345"
                                   << "123456789012345";
    QTest::newRow("large product") << ""
                                   << "1234*1000="
                                   << "1234000"
                                   << "1234000";
    QTest::newRow("operation without a number dropped") << ""
                                                        << "2+3*="
                                                        << "5"
                                                        << "5";
}

void TestCalculator::keys()
{
    QFETCH(QString, start);
    QFETCH(QString, keys);
    Calculator calc;
    calc.start(start);
    for (QChar key : keys) {
        if (key.isDigit()) {
            calc.digit(key.digitValue());
        } else if (key == u'.') {
            calc.point();
        } else if (key == u'+') {
            calc.operation(Calculator::Op::Add);
        } else if (key == u'-') {
            calc.operation(Calculator::Op::Subtract);
        } else if (key == u'*') {
            calc.operation(Calculator::Op::Multiply);
        } else if (key == u'/') {
            calc.operation(Calculator::Op::Divide);
        } else if (key == u'=') {
            calc.equals();
        } else if (key == u'C') {
            calc.clear();
        }
    }
    QTEST(calc.display(), "display");
    QTEST(calc.result(), "result");
}

QTEST_APPLESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
