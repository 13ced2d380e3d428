#include "core/tools/SecondHandEstimate.h"

SecondHandEstimate::SecondHandEstimate(double chengjiao, double pinggu, double shoufu)
    : m_kedai((10.0 - shoufu) * pinggu / 10.0)
    , m_shoufujine(chengjiao - m_kedai)
{
}
