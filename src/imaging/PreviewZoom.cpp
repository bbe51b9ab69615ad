#include "imaging/PreviewZoom.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "imaging/WorkerThreads.h"

namespace PreviewZoom {

int LevelIndex(int zoom)
{
    for (int i = 0; i < kLevelCount; ++i)
        if (kLevels[i] == zoom)
            return i;
    return -1;
}

bool IsLevel(int zoom) { return LevelIndex(zoom) >= 0; }

double FitScale(int availWidth, int availHeight, int extentWidth, int extentHeight)
{
    if (extentWidth <= 0 || extentHeight <= 0 || availWidth <= 0 || availHeight <= 0)
        return 1.0;
    const double sx = static_cast<double>(availWidth) / extentWidth;
    const double sy = static_cast<double>(availHeight) / extentHeight;
    return std::min(1.0, std::min(sx, sy));
}

double Scale(int zoom, double fitScale) { return zoom == kFit ? fitScale : zoom / 100.0; }

int ZoomIn(int zoom, double fitScale)
{
    const double now = Scale(zoom, fitScale);
    for (int i = 1; i < kLevelCount; ++i)
        if (kLevels[i] / 100.0 > now)
            return kLevels[i];
    return zoom;
}

int ZoomOut(int zoom, double fitScale)
{
    const double now = Scale(zoom, fitScale);
    for (int i = kLevelCount - 1; i >= 1; --i)
        if (kLevels[i] / 100.0 < now)
            return kLevels[i];
    return zoom;
}

}  // namespace PreviewZoom

namespace {

// The source span of each target pixel along one axis, in units of 1/n of a
// source pixel where n is the target length: target i covers [i*m, (i+1)*m)
// of the m*n units (m the source length), source j the units [j*n, (j+1)*n).
struct Span {
    int first;                   // first source pixel touched
    std::vector<uint32_t> parts;  // units of each source pixel inside the span
};

std::vector<Span> BoxSpans(int source, int target)
{
    std::vector<Span> spans(static_cast<size_t>(target));
    for (int i = 0; i < target; ++i) {
        const int64_t begin = int64_t(i) * source;
        const int64_t end = begin + source;
        Span& s = spans[i];
        s.first = static_cast<int>(begin / target);
        for (int64_t j = s.first; j * target < end; ++j) {
            const int64_t lo = std::max(begin, j * target);
            const int64_t hi = std::min(end, (j + 1) * target);
            s.parts.push_back(static_cast<uint32_t>(hi - lo));
        }
    }
    return spans;
}

void Enlarge(const CDib& from, CDib& to, int kx, int ky)
{
    const int width = to.GetWidth();
    for (int y = 0; y < to.GetHeight(); ++y) {
        const ARGB* src = from.Row(y / ky);
        ARGB* dst = to.Row(y);
        for (int x = 0; x < width; ++x)
            dst[x] = src[x / kx];
    }
}

// Target rows begin ... end - 1 of Reduce.
void ReduceRows(const CDib& from, CDib& to, const std::vector<Span>& xs, const std::vector<Span>& ys, int begin,
                int end)
{
    const int sw = from.GetWidth(), sh = from.GetHeight();
    const int tw = to.GetWidth();
    // One row of horizontal sums per source row (each channel times sw at
    // most 255 * sw), gathered down each target row's span.
    std::vector<uint32_t> rowSums(static_cast<size_t>(tw) * 4);
    std::vector<uint64_t> sums(static_cast<size_t>(tw) * 4);
    const uint64_t total = uint64_t(sw) * uint64_t(sh);
    for (int ty = begin; ty < end; ++ty) {
        std::fill(sums.begin(), sums.end(), 0);
        const Span& yspan = ys[ty];
        for (size_t k = 0; k < yspan.parts.size(); ++k) {
            const ARGB* src = from.Row(yspan.first + static_cast<int>(k));
            for (int tx = 0; tx < tw; ++tx) {
                const Span& xspan = xs[tx];
                uint32_t c[4] = {0, 0, 0, 0};
                const ARGB* p = src + xspan.first;
                for (size_t m = 0; m < xspan.parts.size(); ++m) {
                    const uint32_t w = xspan.parts[m];
                    const ARGB v = p[m];
                    c[0] += (v & 0xFF) * w;
                    c[1] += (v >> 8 & 0xFF) * w;
                    c[2] += (v >> 16 & 0xFF) * w;
                    c[3] += (v >> 24) * w;
                }
                uint32_t* r = &rowSums[static_cast<size_t>(tx) * 4];
                for (int ch = 0; ch < 4; ++ch)
                    r[ch] = c[ch];
            }
            const uint64_t wy = yspan.parts[k];
            for (size_t i = 0; i < sums.size(); ++i)
                sums[i] += rowSums[i] * wy;
        }
        ARGB* dst = to.Row(ty);
        for (int tx = 0; tx < tw; ++tx) {
            const uint64_t* s = &sums[static_cast<size_t>(tx) * 4];
            uint32_t out = 0;
            for (int ch = 0; ch < 4; ++ch)
                out |= static_cast<uint32_t>((s[ch] + total / 2) / total) << (8 * ch);
            dst[tx] = out;
        }
    }
}

void Reduce(const CDib& from, CDib& to)
{
    const std::vector<Span> xs = BoxSpans(from.GetWidth(), to.GetWidth());
    const std::vector<Span> ys = BoxSpans(from.GetHeight(), to.GetHeight());
    // Target rows are independent; each band keeps its own sums.
    const int sourceRowsPerTarget = std::max(1, from.GetHeight() / std::max(1, to.GetHeight()));
    ParallelFor(to.GetHeight(), LinesPerThread(from.GetWidth() * sourceRowsPerTarget),
                [&](int begin, int end) { ReduceRows(from, to, xs, ys, begin, end); });
}

}  // namespace

void ScalePreviewPicture(const CDib& from, CDib& to, int width, int height)
{
    if (from.IsEmpty() || width <= 0 || height <= 0)
        return;
    if ((to.GetWidth() != width || to.GetHeight() != height || to.IsEmpty()) && !to.Create(width, height))
        return;
    const int sw = from.GetWidth(), sh = from.GetHeight();
    if (width >= sw && height >= sh && width % sw == 0 && height % sh == 0) {
        Enlarge(from, to, width / sw, height / sh);
        return;
    }
    Reduce(from, to);
}
