#include "render/DegreeTables.h"

#include <cmath>

#include "render/DoubleDouble.h"

namespace {

// pi / 2 as a sum of three doubles (about 160 bits).
const double kHalfPi1 = 0x1.921fb54442d18p+0;
const double kHalfPi2 = 0x1.1a62633145c07p-54;
const double kHalfPi3 = -0x1.f1976b7ed8fbcp-110;

// x - k pi / 2 in double-double. For the arguments used here (0 <= x < 6.3,
// k the nearest quarter turn) x and k * kHalfPi1 lie within a factor of two
// of each other, so their difference is exact and nothing is lost to
// cancellation even next to a multiple of pi / 2.
DoubleDouble ReduceQuarterTurns(double x, int k)
{
    const DoubleDouble p1 = dd::TwoProd(k, kHalfPi1);
    DoubleDouble r = dd::TwoSum(x, -p1.hi);
    r = dd::Add(r, {-p1.lo, 0.0});
    r = dd::Add(r, dd::Neg(dd::TwoProd(k, kHalfPi2)));
    return dd::Add(r, {-(k * kHalfPi3), 0.0});
}

// Taylor series for |r| <= about pi / 4. Twenty terms take the remainder
// far below the double-double's own precision, so the sum rounded to double
// is the correctly rounded value unless the true value lies within about
// 2^-100 of a rounding boundary (the tests compare every entry).
void SinCosSeries(DoubleDouble r, double& s, double& c)
{
    const DoubleDouble r2 = dd::Mul(r, r);
    DoubleDouble sinSum = r, sinTerm = r;
    DoubleDouble cosSum = {1.0, 0.0}, cosTerm = {1.0, 0.0};
    for (int n = 2; n <= 40; n += 2) {
        cosTerm = dd::Neg(dd::Div(dd::Mul(cosTerm, r2), double((n - 1) * n)));
        sinTerm = dd::Neg(dd::Div(dd::Mul(sinTerm, r2), double(n * (n + 1))));
        cosSum = dd::Add(cosSum, cosTerm);
        sinSum = dd::Add(sinSum, sinTerm);
    }
    // hi + lo rounds the double-double's exact value once, to nearest.
    s = sinSum.hi + sinSum.lo;
    c = cosSum.hi + cosSum.lo;
}

void CorrectlyRoundedSinCos(double x, double& s, double& c)
{
    const int k = static_cast<int>(std::floor(x / kHalfPi1 + 0.5));
    double rs, rc;
    SinCosSeries(ReduceQuarterTurns(x, k), rs, rc);
    switch (k & 3) {
    case 0: s = rs; c = rc; break;
    case 1: s = rc; c = -rs; break;
    case 2: s = -rs; c = -rc; break;
    default: s = -rc; c = rs; break;
    }
}

}  // namespace

void BuildDegreeTables(double* sine, double* cosine)
{
    for (int i = 0; i < kDegreeTableSize; ++i)
        CorrectlyRoundedSinCos(i * kDegreeFactor, sine[i], cosine[i]);
}
