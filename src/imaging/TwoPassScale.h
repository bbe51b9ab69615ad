// C2PassScale: separable two-pass resampling of ARGB rows.
//
// The first pass resamples every row to the new width into intermediate
// rows, the second resamples every column of those to the new height. Rows
// come in as arrays of row pointers, each pointing at the first pixel of the
// rectangle in its row, so a rectangle inside a larger buffer is processed in
// place. The kernel (CBoxFilter, ...) and the pixel policy (CDataPaintLib32 or
// CDataPaintLib8) are the template arguments.
//
// Source and destination may be the same pixels: the source is read in full
// by the first pass before the second writes anything.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/Argb.h"
#include "imaging/Filters.h"
#include "imaging/PixelPolicies.h"
#include "imaging/WeightTable.h"

// Progress in percent (0-99); return non-zero to go on, zero to abort.
typedef int (*ProgressAndAbortCallBack)(uint8_t bPercentComplete);

template <class CFilter, class CPolicy>
class C2PassScale {
public:
    // A width of 0 selects the kernel's default width.
    explicit C2PassScale(double dWidth = 0.0, ProgressAndAbortCallBack pCallback = nullptr)
        : m_pCallback(pCallback), m_bCanceled(0), m_dWidth(dWidth)
    {
    }
    virtual ~C2PassScale() {}

    // Resamples srcWidth x srcHeight pixels into dstWidth x dstHeight.
    // Returns pDst, or null when the callback aborted (the destination is
    // then partly written). Zero or negative sizes write nothing; a source
    // of no pixels makes the destination transparent black.
    ARGB* const* Resize(const ARGB* const* pSrc, int srcWidth, int srcHeight, ARGB* const* pDst, int dstWidth,
                        int dstHeight);

    void ScaleRows(const ARGB* const* pSrc, int srcWidth, int height, ARGB* const* pDst, int dstWidth);
    void ScaleColumns(const ARGB* const* pSrc, int width, int srcHeight, ARGB* const* pDst, int dstHeight);
    WeightTable BuildWeights(int dstLength, int srcLength, double dScale) const
    {
        return BuildWeightTable(CFilter(m_dWidth), dstLength, srcLength, dScale);
    }

    bool IsAborted() const { return m_bCanceled != 0; }

private:
    // False when the callback asks to stop; the abort is remembered.
    bool Continue(double dProgress)
    {
        if (m_pCallback && !m_pCallback(static_cast<uint8_t>(dProgress))) {
            m_bCanceled = 1;
            return false;
        }
        return true;
    }

    ProgressAndAbortCallBack m_pCallback;
    int32_t m_bCanceled;
    double m_dWidth;
};

namespace two_pass_detail {

// An empty source gives empty windows at any scale; 1 avoids dividing by 0.
inline double ScaleOf(int dstLength, int srcLength)
{
    return srcLength > 0 ? static_cast<double>(dstLength) / srcLength : 1.0;
}

struct RowSamples {
    const ARGB* p;
    ARGB operator[](int k) const { return p[k]; }
};

struct ColumnSamples {
    const ARGB* const* rows;
    int x;
    ARGB operator[](int k) const { return rows[k][x]; }
};

// Intermediate rows of the first pass, zero-filled so that nothing the
// alpha-only policy leaves unwritten is ever undefined.
class RowBuffer {
public:
    RowBuffer(int width, int height)
    {
        const size_t w = width > 0 ? static_cast<size_t>(width) : 0;
        const size_t h = height > 0 ? static_cast<size_t>(height) : 0;
        if (w != 0 && h > SIZE_MAX / sizeof(ARGB) / w)
            throw std::bad_alloc();
        m_pixels.resize(w * h);
        m_rows.resize(h);
        for (size_t y = 0; y < h; ++y)
            m_rows[y] = m_pixels.data() + y * w;
    }
    ARGB* const* Rows() { return m_rows.data(); }

private:
    std::vector<ARGB> m_pixels;
    std::vector<ARGB*> m_rows;
};

}  // namespace two_pass_detail

template <class CFilter, class CPolicy>
ARGB* const* C2PassScale<CFilter, CPolicy>::Resize(const ARGB* const* pSrc, int srcWidth, int srcHeight,
                                                    ARGB* const* pDst, int dstWidth, int dstHeight)
{
    m_bCanceled = 0;
    two_pass_detail::RowBuffer temp(dstWidth, srcHeight);
    ScaleRows(pSrc, srcWidth, srcHeight, temp.Rows(), dstWidth);
    if (m_bCanceled)
        return nullptr;
    ScaleColumns(temp.Rows(), dstWidth, srcHeight, pDst, dstHeight);
    return m_bCanceled ? nullptr : pDst;
}

template <class CFilter, class CPolicy>
void C2PassScale<CFilter, CPolicy>::ScaleRows(const ARGB* const* pSrc, int srcWidth, int height, ARGB* const* pDst,
                                               int dstWidth)
{
    if (height <= 0 || dstWidth <= 0)
        return;
    srcWidth = srcWidth > 0 ? srcWidth : 0;
    // At unchanged width the whole rows come across first; the filter then
    // overwrites what its policy writes and leaves the rest (the colour
    // bytes, for the alpha-only policy).
    if (dstWidth == srcWidth) {
        for (int y = 0; y < height; ++y) {
            if (pDst[y] != pSrc[y])
                std::memcpy(pDst[y], pSrc[y], static_cast<size_t>(srcWidth) * sizeof(ARGB));
        }
    }
    const WeightTable table = BuildWeights(dstWidth, srcWidth, two_pass_detail::ScaleOf(dstWidth, srcWidth));
    for (int y = 0; y < height; ++y) {
        if (!Continue(static_cast<double>(y) / height * 50))
            return;
        ARGB* out = pDst[y];
        for (int x = 0; x < dstWidth; ++x) {
            const WeightRow& w = table.Rows[x];
            out[x] = CPolicy::Filter(two_pass_detail::RowSamples{pSrc[y] + w.Left}, w.Weights, w.Count(), out[x]);
        }
    }
}

template <class CFilter, class CPolicy>
void C2PassScale<CFilter, CPolicy>::ScaleColumns(const ARGB* const* pSrc, int width, int srcHeight,
                                                  ARGB* const* pDst, int dstHeight)
{
    if (width <= 0 || dstHeight <= 0)
        return;
    srcHeight = srcHeight > 0 ? srcHeight : 0;
    if (dstHeight == srcHeight) {
        for (int y = 0; y < srcHeight; ++y) {
            if (pDst[y] != pSrc[y])
                std::memcpy(pDst[y], pSrc[y], static_cast<size_t>(width) * sizeof(ARGB));
        }
    }
    const WeightTable table = BuildWeights(dstHeight, srcHeight, two_pass_detail::ScaleOf(dstHeight, srcHeight));
    for (int x = 0; x < width; ++x) {
        if (!Continue(50 + static_cast<double>(x) / width * 50))
            return;
        for (int y = 0; y < dstHeight; ++y) {
            const WeightRow& w = table.Rows[y];
            pDst[y][x] = CPolicy::Filter(two_pass_detail::ColumnSamples{pSrc + w.Left, x}, w.Weights, w.Count(),
                                         pDst[y][x]);
        }
    }
}
