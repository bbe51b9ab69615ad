// Double-double arithmetic: a value held as the unevaluated sum hi + lo of
// two doubles, about 106 significant bits. Built from error-free
// transformations on plain IEEE double operations, so it gives the same bits
// on every build as long as the compiler neither fuses multiply-adds nor
// reorders (-ffp-contract=off, no fast-math).
#pragma once

struct DoubleDouble {
    double hi;
    double lo;
};

namespace dd {

// s + err == a + b exactly.
inline DoubleDouble TwoSum(double a, double b)
{
    const double s = a + b;
    const double bb = s - a;
    const double err = (a - (s - bb)) + (b - bb);
    return {s, err};
}

// As TwoSum, for |a| >= |b|.
inline DoubleDouble QuickTwoSum(double a, double b)
{
    const double s = a + b;
    return {s, b - (s - a)};
}

// Veltkamp split into two halves of 26 bits each (for moderate magnitudes).
inline void Split(double a, double& hi, double& lo)
{
    const double t = 134217729.0 * a;  // 2^27 + 1
    hi = t - (t - a);
    lo = a - hi;
}

// p + err == a * b exactly (Dekker), without a fused multiply-add.
inline DoubleDouble TwoProd(double a, double b)
{
    const double p = a * b;
    double ah, al, bh, bl;
    Split(a, ah, al);
    Split(b, bh, bl);
    const double err = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
    return {p, err};
}

inline DoubleDouble Add(DoubleDouble a, DoubleDouble b)
{
    DoubleDouble s = TwoSum(a.hi, b.hi);
    const DoubleDouble t = TwoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = QuickTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return QuickTwoSum(s.hi, s.lo);
}

inline DoubleDouble Neg(DoubleDouble a) { return {-a.hi, -a.lo}; }

inline DoubleDouble Mul(DoubleDouble a, DoubleDouble b)
{
    DoubleDouble p = TwoProd(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return QuickTwoSum(p.hi, p.lo);
}

inline DoubleDouble Div(DoubleDouble a, double b)
{
    const double q1 = a.hi / b;
    const DoubleDouble p = TwoProd(q1, b);
    DoubleDouble r = TwoSum(a.hi, -p.hi);
    r.lo -= p.lo;
    r.lo += a.lo;
    const double q2 = (r.hi + r.lo) / b;
    return QuickTwoSum(q1, q2);
}

}  // namespace dd
