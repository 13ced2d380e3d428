#pragma once

// For a second-hand home: how much a bank lends on the appraised value, and
// what the buyer pays down on the deal price. All amounts in 万元.
class SecondHandEstimate {
public:
    // shoufu: the down-payment ratio in tenths (成).
    SecondHandEstimate(double chengjiao, double pinggu, double shoufu);

    double kedai() const { return m_kedai; }

    double shoufujine() const { return m_shoufujine; }

private:
    double m_kedai;
    double m_shoufujine;
};
