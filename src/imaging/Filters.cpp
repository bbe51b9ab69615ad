#include "imaging/Filters.h"

#include <cmath>

namespace {

const double kPi = 3.14159265358979323846;

double Sinc(double t)
{
    if (t == 0.0)
        return 1.0;
    const double a = kPi * t;
    return std::sin(a) / a;
}

}  // namespace

double CBoxFilter::Evaluate(double dVal) const
{
    return std::fabs(dVal) <= m_dWidth ? 1.0 : 0.0;
}

double CBilinearFilter::Evaluate(double dVal) const
{
    const double a = std::fabs(dVal);
    return a < m_dWidth ? m_dWidth - a : 0.0;
}

double CGaussianFilter::Evaluate(double dVal) const
{
    if (std::fabs(dVal) > m_dWidth)
        return 0.0;
    // The constant factor and the -1 cancel when the weights are normalised;
    // they are kept so that raw weights stay those of the classic kernel.
    return std::exp(-dVal * dVal / m_dWidth - 1.0) / std::sqrt(2.0 * kPi);
}

CBicubicFilter::CBicubicFilter(double dWidth)
    : CGenericFilter(dWidth, 2.0),
      m_dInner0(8.0 / 9.0),
      m_dInner2(-2.0),
      m_dInner3(7.0 / 6.0),
      m_dOuter0(16.0 / 9.0),
      m_dOuter1(-10.0 / 3.0),
      m_dOuter2(2.0),
      m_dOuter3(-7.0 / 18.0)
{
}

double CBicubicFilter::Evaluate(double dVal) const
{
    const double a = std::fabs(dVal);
    const double a2 = a * a;
    const double a3 = a2 * a;
    if (a <= 1.0)
        return m_dInner3 * a3 + m_dInner2 * a2 + m_dInner0;
    if (a <= 2.0)
        return m_dOuter3 * a3 + m_dOuter2 * a2 + m_dOuter1 * a + m_dOuter0;
    return 0.0;
}

double CLanczos3Filter::Evaluate(double dVal) const
{
    if (std::fabs(dVal) >= m_dWidth)
        return 0.0;
    return Sinc(dVal) * Sinc(dVal / m_dWidth);
}
