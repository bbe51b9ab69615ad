// C2PassScale: separable two-pass resampling of ARGB rows.
//
// The first pass resamples every row to the new width into intermediate
// rows, the second resamples every column of those to the new height. Rows
// come in as arrays of row pointers, each pointing at the first pixel of the
// rectangle in its row, so a rectangle inside a larger buffer is processed in
// place. The kernel (CBoxFilter, ...) and the pixel policy (CDataPaintLib32 or
// CDataPaintLib8) are the template arguments.
//
// Source and destination may be the same pixels. At an unchanged size the
// passes then work in place (each line is read whole before it is written),
// which spares the intermediate image; otherwise the source is read in full
// by the first pass before the second writes anything.
//
// Without a progress callback the lines of a pass are shared out among the
// worker threads. Each line is computed exactly as on its own, so the result
// does not depend on how many threads there are.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/Argb.h"
#include "imaging/Filters.h"
#include "imaging/LargeMemory.h"
#include "imaging/PixelPolicies.h"
#include "imaging/WeightTable.h"
#include "imaging/WorkerThreads.h"

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

struct RowOut {
    ARGB* p;
    ARGB& operator()(int i) const { return p[i]; }
};

// One source line converted for the policy, with a running count of its
// visible samples so that any window's count costs two reads. Allocated
// once per pass and reused for every line.
template <class CPolicy>
class Line {
public:
    explicit Line(int length)
        : m_values(static_cast<size_t>(length) * CPolicy::kValues),
          m_visible(static_cast<size_t>(length) + 1, 0),
          m_pixels(static_cast<size_t>(length)),
          m_runStart(static_cast<size_t>(length))
    {
    }

    template <class Samples>
    void Load(const Samples& samples, int length)
    {
        double* v = m_values.data();
        int visible = 0;
        for (int i = 0; i < length; ++i, v += CPolicy::kValues) {
            const ARGB p = samples[i];
            CPolicy::Convert(p, v);
            visible += (p >> 24) != 0;
            m_visible[i + 1] = visible;
            m_pixels[i] = p;
            m_runStart[i] = i > 0 && p == m_pixels[i - 1] ? m_runStart[i - 1] : i;
        }
    }

    // Samples with alpha != 0 among left .. right.
    int VisibleIn(int left, int right) const { return m_visible[right + 1] - m_visible[left]; }
    // Whether left .. right are all one pixel value.
    bool IsUniform(int left, int right) const { return m_runStart[right] <= left; }
    ARGB Pixel(int i) const { return m_pixels[i]; }
    const double* At(int i) const { return m_values.data() + static_cast<size_t>(i) * CPolicy::kValues; }

private:
    std::vector<double> m_values;
    std::vector<int> m_visible;
    std::vector<ARGB> m_pixels;
    std::vector<int> m_runStart;
};

// Flat areas (the inside of a silhouette, the transparency around it) give
// many windows of one pixel value under one weight row: their result is
// computed once and then reused. It is the same function of the same bits,
// so the reuse is exact.
struct UniformCache {
    const double* weights = nullptr;
    int count = 0;
    ARGB pixel = 0;
    ARGB result = 0;

    bool Holds(const WeightRow& row, ARGB p) const
    {
        return weights == row.Weights && count == row.Count() && pixel == p;
    }
};

// Whether the kRun windows from `rows` on all hold `count` samples, every
// one of them visible.
template <int kRun, class CPolicy>
bool IsVisibleRun(const WeightRow* rows, int available, const Line<CPolicy>& line, int count)
{
    if (available < kRun)
        return false;
    for (int r = 0; r < kRun; ++r) {
        if (rows[r].Count() != count || line.VisibleIn(rows[r].Left, rows[r].Right) != count)
            return false;
    }
    return true;
}

// kRun all-visible windows of one length, summed side by side.
template <int kRun, class CPolicy, class Out>
void FilterVisibleRun(const WeightRow* rows, const Line<CPolicy>& line, const Out& out, int i)
{
    const double* v[kRun];
    const double* w[kRun];
    ARGB* d[kRun];
    for (int r = 0; r < kRun; ++r) {
        v[r] = line.At(rows[r].Left);
        w[r] = rows[r].Weights;
        d[r] = &out(i + r);
    }
    CPolicy::template Visible<kRun>(v, w, rows[0].Count(), d);
}

// One window, by the policy function for its share of visible samples.
template <class CPolicy>
ARGB FilterWindow(const WeightRow& row, const Line<CPolicy>& line, int visible, ARGB current)
{
    const int count = row.Count();
    const double* v = line.At(row.Left);
    if (visible == 0)
        return CPolicy::Transparent(current);
    if (visible < count)
        return CPolicy::Mixed(v, row.Weights, count, current);
    ARGB* d = &current;
    CPolicy::template Visible<1>(&v, &row.Weights, count, &d);
    return current;
}

// Every destination pixel of one line, from the loaded source line.
template <class CPolicy, class Out>
void FilterLine(const WeightTable& table, const Line<CPolicy>& line, const Out& out)
{
    const int kRun = 4;
    const WeightRow* rows = table.Rows.data();
    const int n = table.LineLength;
    UniformCache cache;
    for (int i = 0; i < n;) {
        const WeightRow& row = rows[i];
        const int count = row.Count();
        const bool uniform = count > 0 && line.IsUniform(row.Left, row.Right);
        if (uniform && cache.Holds(row, line.Pixel(row.Left))) {
            out(i) = CPolicy::Reuse(cache.result, out(i));
            ++i;
            continue;
        }
        const int visible = count > 0 ? line.VisibleIn(row.Left, row.Right) : 0;
        if (!uniform && visible == count && IsVisibleRun<kRun>(rows + i, n - i, line, count)) {
            FilterVisibleRun<kRun>(rows + i, line, out, i);
            i += kRun;
            continue;
        }
        out(i) = FilterWindow(row, line, visible, out(i));
        if (uniform)
            cache = UniformCache{row.Weights, count, line.Pixel(row.Left), out(i)};
        ++i;
    }
}

// A line filtered beside one already done (its neighbour): a window whose
// pixels are the very pixels of the neighbour's window at the same place
// gives the neighbour's result, so it is taken from there. Neighbouring
// columns of a silhouette are mostly alike, so most windows are copies.
// `differs` counts, for each leading part of the line, the pixels that are
// not the neighbour's.
template <class CPolicy, class Out>
void FilterLineBeside(const WeightTable& table, const Line<CPolicy>& line, const Out& out, const ARGB* neighbour,
                      const int* differs)
{
    const WeightRow* rows = table.Rows.data();
    const int n = table.LineLength;
    for (int i = 0; i < n; ++i) {
        const WeightRow& row = rows[i];
        const int count = row.Count();
        if (count > 0 && differs[row.Right + 1] == differs[row.Left]) {
            out(i) = CPolicy::Reuse(neighbour[i], out(i));
            continue;
        }
        const int visible = count > 0 ? line.VisibleIn(row.Left, row.Right) : 0;
        out(i) = FilterWindow(row, line, visible, out(i));
    }
}

// The vertical pass works on a few neighbouring columns at a time: they are
// copied out of the rows into contiguous lines, filtered, and copied back.
// Walking a single column would touch every row's cache line and page for
// each pixel; a group shares those touches between its columns.
template <class CPolicy>
class ColumnGroup {
public:
    static constexpr int kColumns = 16;  // one 64-byte cache line of pixels

    ColumnGroup(int srcHeight, int dstHeight)
        : m_srcHeight(srcHeight),
          m_dstHeight(dstHeight),
          m_in(static_cast<size_t>(srcHeight) * kColumns),
          m_out(static_cast<size_t>(dstHeight) * kColumns),
          m_differs(static_cast<size_t>(srcHeight) + 1, 0),
          m_line(srcHeight)
    {
    }

    // Columns x0 .. x0 + n - 1 of the destination.
    void Filter(const WeightTable& table, const ARGB* const* pSrc, ARGB* const* pDst, int x0, int n)
    {
        Gather(pSrc, x0, n, m_srcHeight, m_in.data());
        if (CPolicy::kKeepsColour)
            Gather(pDst, x0, n, m_dstHeight, m_out.data());
        for (int c = 0; c < n; ++c) {
            const ARGB* column = m_in.data() + static_cast<size_t>(c) * m_srcHeight;
            ARGB* result = m_out.data() + static_cast<size_t>(c) * m_dstHeight;
            m_line.Load(RowSamples{column}, m_srcHeight);
            if (c == 0) {
                FilterLine(table, m_line, RowOut{result});
                continue;
            }
            const ARGB* left = column - m_srcHeight;
            int differs = 0;
            for (int y = 0; y < m_srcHeight; ++y) {
                differs += column[y] != left[y];
                m_differs[static_cast<size_t>(y) + 1] = differs;
            }
            FilterLineBeside(table, m_line, RowOut{result}, result - m_dstHeight, m_differs.data());
        }
        for (int y = 0; y < m_dstHeight; ++y) {
            ARGB* d = pDst[y] + x0;
            for (int c = 0; c < n; ++c)
                d[c] = m_out[static_cast<size_t>(c) * m_dstHeight + y];
        }
    }

private:
    // Columns x0 .. x0 + n - 1 of `height` rows, one after the other.
    template <class Rows>
    static void Gather(Rows rows, int x0, int n, int height, ARGB* to)
    {
        for (int y = 0; y < height; ++y) {
            const ARGB* s = rows[y] + x0;
            for (int c = 0; c < n; ++c)
                to[static_cast<size_t>(c) * height + y] = s[c];
        }
    }

    int m_srcHeight;
    int m_dstHeight;
    std::vector<ARGB> m_in;
    std::vector<ARGB> m_out;
    std::vector<int> m_differs;
    Line<CPolicy> m_line;
};

// Whether both row sets are the very same rows.
inline bool SameRows(const ARGB* const* a, ARGB* const* b, int height)
{
    for (int y = 0; y < height; ++y) {
        if (a[y] != b[y])
            return false;
    }
    return true;
}

// At an unchanged width (or height) a pass first takes the whole rows over.
inline void CopyRows(const ARGB* const* pSrc, ARGB* const* pDst, int height, int width)
{
    ParallelFor(height, LinesPerThread(width, kMinCopiedPixelsPerThread), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            if (pDst[y] != pSrc[y])
                std::memcpy(pDst[y], pSrc[y], static_cast<size_t>(width) * sizeof(ARGB));
        }
    });
}

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
        m_pixels.resize(w * h, 0);
        m_rows.resize(h);
        for (size_t y = 0; y < h; ++y)
            m_rows[y] = m_pixels.data() + y * w;
    }
    ARGB* const* Rows() { return m_rows.data(); }

private:
    LargeVector<ARGB> m_pixels;
    std::vector<ARGB*> m_rows;
};

}  // namespace two_pass_detail

template <class CFilter, class CPolicy>
ARGB* const* C2PassScale<CFilter, CPolicy>::Resize(const ARGB* const* pSrc, int srcWidth, int srcHeight,
                                                    ARGB* const* pDst, int dstWidth, int dstHeight)
{
    m_bCanceled = 0;
    if (srcWidth == dstWidth && srcHeight == dstHeight && srcHeight > 0 &&
        two_pass_detail::SameRows(pSrc, pDst, srcHeight)) {
        // In place: the rows pass leaves its result where the columns pass
        // reads it, and no intermediate image is needed.
        ScaleRows(pSrc, srcWidth, srcHeight, pDst, dstWidth);
        if (m_bCanceled)
            return nullptr;
        ScaleColumns(pDst, dstWidth, srcHeight, pDst, dstHeight);
        return m_bCanceled ? nullptr : pDst;
    }
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
    if (dstWidth == srcWidth)
        two_pass_detail::CopyRows(pSrc, pDst, height, srcWidth);
    const WeightTable table = BuildWeights(dstWidth, srcWidth, two_pass_detail::ScaleOf(dstWidth, srcWidth));
    if (!m_pCallback) {
        ParallelFor(height, LinesPerThread(dstWidth), [&](int begin, int end) {
            two_pass_detail::Line<CPolicy> line(srcWidth);
            for (int y = begin; y < end; ++y) {
                line.Load(two_pass_detail::RowSamples{pSrc[y]}, srcWidth);
                two_pass_detail::FilterLine(table, line, two_pass_detail::RowOut{pDst[y]});
            }
        });
        return;
    }
    two_pass_detail::Line<CPolicy> line(srcWidth);
    for (int y = 0; y < height; ++y) {
        if (!Continue(static_cast<double>(y) / height * 50))
            return;
        line.Load(two_pass_detail::RowSamples{pSrc[y]}, srcWidth);
        two_pass_detail::FilterLine(table, line, two_pass_detail::RowOut{pDst[y]});
    }
}

template <class CFilter, class CPolicy>
void C2PassScale<CFilter, CPolicy>::ScaleColumns(const ARGB* const* pSrc, int width, int srcHeight,
                                                  ARGB* const* pDst, int dstHeight)
{
    if (width <= 0 || dstHeight <= 0)
        return;
    srcHeight = srcHeight > 0 ? srcHeight : 0;
    if (dstHeight == srcHeight)
        two_pass_detail::CopyRows(pSrc, pDst, srcHeight, width);
    const WeightTable table = BuildWeights(dstHeight, srcHeight, two_pass_detail::ScaleOf(dstHeight, srcHeight));
    const int columns = two_pass_detail::ColumnGroup<CPolicy>::kColumns;
    if (!m_pCallback) {
        // Groups of neighbouring columns are independent of each other.
        const int groups = (width + columns - 1) / columns;
        ParallelFor(groups, LinesPerThread(columns * dstHeight), [&](int begin, int end) {
            two_pass_detail::ColumnGroup<CPolicy> group(srcHeight, dstHeight);
            for (int g = begin; g < end; ++g) {
                const int x0 = g * columns;
                group.Filter(table, pSrc, pDst, x0, std::min(columns, width - x0));
            }
        });
        return;
    }
    // The callback hears of every column of a group before the group is
    // filtered; an abort at column x still leaves x and all later columns
    // unwritten, as a walk column by column would.
    two_pass_detail::ColumnGroup<CPolicy> group(srcHeight, dstHeight);
    for (int x0 = 0; x0 < width; x0 += group.kColumns) {
        const int wanted = std::min(group.kColumns, width - x0);
        int n = 0;
        while (n < wanted && Continue(50 + static_cast<double>(x0 + n) / width * 50))
            ++n;
        if (n > 0)
            group.Filter(table, pSrc, pDst, x0, n);
        if (n < wanted)
            return;
    }
}
