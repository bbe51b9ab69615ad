// The resampling kernels.
//
// Each kernel is a weight as a function of the distance from the centre of a
// destination pixel, in source pixels at scale 1. The weights of a row are
// normalised afterwards, so a kernel's overall scale does not matter, only
// its shape and where it is cut off.
#pragma once

class CGenericFilter {
public:
    virtual ~CGenericFilter() {}
    virtual double Evaluate(double dVal) const = 0;
    double GetWidth() const { return m_dWidth; }

protected:
    // Widths too small to hold a sample (and NaN) fall back to the kernel's
    // own default, which is also how a caller asks for the default: width 0.
    CGenericFilter(double dWidth, double dDefaultWidth)
        : m_dWidth(dWidth >= 0.00001 ? dWidth : dDefaultWidth)
    {
    }

    double m_dWidth;
};

// 1 inside the width, 0 outside: a plain average over the window.
class CBoxFilter : public CGenericFilter {
public:
    explicit CBoxFilter(double dWidth = 0.5) : CGenericFilter(dWidth, 0.5) {}
    double Evaluate(double dVal) const override;
};

// The tent: falls linearly from the width at the centre to 0 at the edge.
// Its default of 0.7 rather than 1 makes a same-size pass a pure copy.
class CBilinearFilter : public CGenericFilter {
public:
    explicit CBilinearFilter(double dWidth = 0.7) : CGenericFilter(dWidth, 0.7) {}
    double Evaluate(double dVal) const override;
};

// exp(-x^2 / w) cut off at the width; the width doubles as the variance.
class CGaussianFilter : public CGenericFilter {
public:
    explicit CGaussianFilter(double dWidth = 3.0) : CGenericFilter(dWidth, 3.0) {}
    double Evaluate(double dVal) const override;
};

// Mitchell-Netravali cubic with B = C = 1/3. Its support is always 2 source
// pixels; the width only sizes the window.
class CBicubicFilter : public CGenericFilter {
public:
    explicit CBicubicFilter(double dWidth = 2.0);
    double Evaluate(double dVal) const override;

private:
    // Inner piece (|x| <= 1) and outer piece (1 < |x| <= 2), lowest power
    // first.
    double m_dInner0, m_dInner2, m_dInner3;
    double m_dOuter0, m_dOuter1, m_dOuter2, m_dOuter3;
};

// sinc(x) * sinc(x / w) inside the width.
class CLanczos3Filter : public CGenericFilter {
public:
    explicit CLanczos3Filter(double dWidth = 3.0) : CGenericFilter(dWidth, 3.0) {}
    double Evaluate(double dVal) const override;
};
