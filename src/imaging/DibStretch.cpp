// CDib::Stretch and CDib::StretchRect: choose a kernel and pixel policy and
// run the two-pass resampler, or fall back to the plain stretch copy.
#include <cmath>
#include <vector>

#include "imaging/Dib.h"
#include "imaging/Filters.h"
#include "imaging/StretchCopy.h"
#include "imaging/TwoPassScale.h"

namespace {

bool LiesInside(const PixelRect& rc, const CDib& dib)
{
    return rc.left >= 0 && rc.top >= 0 && rc.left <= rc.right && rc.top <= rc.bottom &&
           rc.right <= dib.GetWidth() && rc.bottom <= dib.GetHeight();
}

// Pointers to the first pixel of the rectangle in each of its rows.
template <class Pixel, class Dib>
std::vector<Pixel*> RowPointers(Dib& dib, const PixelRect& rc)
{
    std::vector<Pixel*> rows(static_cast<size_t>(rc.bottom - rc.top));
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = dib.Row(rc.top + static_cast<int>(i)) + rc.left;
    return rows;
}

// The rows and sizes of one resampling.
struct RowsJob {
    const ARGB* const* from;
    int srcWidth, srcHeight;
    ARGB* const* to;
    int dstWidth, dstHeight;
};

template <class CFilter, class CPolicy>
void Resample(const RowsJob& job, double dWidth)
{
    C2PassScale<CFilter, CPolicy> scale(dWidth);
    scale.Resize(job.from, job.srcWidth, job.srcHeight, job.to, job.dstWidth, job.dstHeight);
}

template <class CPolicy>
void ResampleWith(int32_t nFilter, const RowsJob& job, double dWidth)
{
    switch (nFilter) {
    case kStretchBox:
        Resample<CBoxFilter, CPolicy>(job, dWidth);
        break;
    case kStretchGaussian:
        Resample<CGaussianFilter, CPolicy>(job, dWidth);
        break;
    case kStretchBicubic:
        Resample<CBicubicFilter, CPolicy>(job, dWidth);
        break;
    case kStretchLanczos3:
        Resample<CLanczos3Filter, CPolicy>(job, dWidth);
        break;
    default:  // the tent, also for any code not listed
        Resample<CBilinearFilter, CPolicy>(job, dWidth);
        break;
    }
}

bool IsPlainCopy(double dWidth, int32_t nFilter) { return std::fabs(dWidth) < 0.00001 || nFilter == kStretchNone; }

// The filtering half of StretchRect, once the plain copy is ruled out.
void ResampleRows(const RowsJob& job, double dWidth, int32_t bAlphaOnly, int32_t nFilter)
{
    // A negative width is a request for the Gaussian of that width; 0.5
    // means "the kernel's default", like 0.
    if (dWidth < 0) {
        dWidth = -dWidth;
        nFilter = kStretchGaussian;
    }
    if (std::fabs(dWidth - 0.5) < 0.0001)
        dWidth = 0;
    if (bAlphaOnly)
        ResampleWith<CDataPaintLib8>(nFilter, job, dWidth);
    else
        ResampleWith<CDataPaintLib32>(nFilter, job, dWidth);
}

}  // namespace

void FilterInPlace(ARGB* const* rows, int width, int height, double dWidth, int32_t bAlphaOnly, int32_t nFilter)
{
    // The plain copy of a rectangle onto itself changes nothing.
    if (IsPlainCopy(dWidth, nFilter) || width <= 0 || height <= 0)
        return;
    ResampleRows(RowsJob{rows, width, height, rows, width, height}, dWidth, bAlphaOnly, nFilter);
}

void CDib::StretchRect(CDib& dest, const PixelRect& rcSrc, double dWidth, PixelRect rcDest, int32_t bAlphaOnly,
                       int32_t nFilter) const
{
    if (dest.IsEmpty())
        dest.Create(m_nWidth, m_nHeight);
    if (rcDest.left == -1 && rcDest.top == -1 && rcDest.right == -1 && rcDest.bottom == -1)
        rcDest = PixelRect{0, 0, dest.GetWidth(), dest.GetHeight()};
    if (!LiesInside(rcSrc, *this) || !LiesInside(rcDest, dest))
        return;

    if (IsPlainCopy(dWidth, nFilter)) {
        StretchCopy(*this, rcSrc, dest, rcDest);
        return;
    }
    const std::vector<const ARGB*> from = RowPointers<const ARGB>(*this, rcSrc);
    const std::vector<ARGB*> to = RowPointers<ARGB>(dest, rcDest);
    ResampleRows(RowsJob{from.data(), rcSrc.right - rcSrc.left, rcSrc.bottom - rcSrc.top, to.data(),
                         rcDest.right - rcDest.left, rcDest.bottom - rcDest.top},
                 dWidth, bAlphaOnly, nFilter);
}

void CDib::Stretch(CDib& dest, double dWidth, const PixelRect& rcDest, int32_t bAlphaOnly, int32_t nFilter) const
{
    StretchRect(dest, PixelRect{0, 0, m_nWidth, m_nHeight}, dWidth, rcDest, bAlphaOnly, nFilter);
}
