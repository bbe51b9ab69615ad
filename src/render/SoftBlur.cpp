#include "render/SoftBlur.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/Dib.h"
#include "imaging/WorkerThreads.h"

namespace {

const int32_t kTent = kStretchBilinear;
// Levels at least this far apart in kernel width (pixels) are worth having;
// closer ones would look the same and only cost time.
const double kLevelStep = 1.5;
const int kMaxBands = 6;
// Between two levels a row mixes both only within this fraction of the band
// around its middle; elsewhere it takes one level alone. A full linear mix
// would compute two levels for every row, about twice a uniform blur.
const double kCrossFade = 0.1;

// How far from the hinge a row lies, 0 at the hinge, 1 at the far row and
// beyond.
double RowPosition(int row, SoftBlurSpan span)
{
    const int length = std::abs(span.farRow - span.hingeRow);
    const int distance = std::abs(row - span.hingeRow);
    if (length == 0)
        return distance == 0 ? 0.0 : 1.0;
    return std::min(1.0, double(distance) / double(length));
}

// A row's lower level and the weight (0-256) of the level above it.
struct RowMix {
    int level;
    int upper;
};

RowMix MixOf(double position, int bands)
{
    const double p = position * bands;
    int level = static_cast<int>(std::floor(p));
    if (level >= bands)
        return RowMix{bands, 0};
    const double frac = p - level;
    const double u = std::min(1.0, std::max(0.0, (frac - 0.5) / kCrossFade + 0.5));
    const int upper = static_cast<int>(std::trunc(u * 256 + 0.5));
    if (upper == 256)
        return RowMix{level + 1, 0};
    return RowMix{level, upper};
}

bool UsesLevel(const RowMix& m, int level)
{
    return m.level == level || (m.upper > 0 && m.level + 1 == level);
}

}  // namespace

// Alpha by the row's weight; the colour is the shadow colour wherever either
// level has one (every texel of the texture carries the same colour, or none
// where the blur left it clear).
void MixSoftBlurRow(ARGB* out, const ARGB* upperLevel, int width, int upper)
{
    const uint32_t keep = static_cast<uint32_t>(256 - upper);
    const uint32_t take = static_cast<uint32_t>(upper);
    for (int x = 0; x < width; ++x) {
        const ARGB a = out[x];
        const ARGB b = upperLevel[x];
        const uint32_t alpha = ((a >> 24) * keep + (b >> 24) * take + 128) >> 8;
        out[x] = (alpha << 24) | ((a | b) & 0x00FFFFFFu);
    }
}

namespace {

// A run of rows that take a level: [begin, end), and [from, to) with the
// rows its kernel reaches around it.
struct LevelRun {
    int level;
    double radius;
    int begin, end, from, to;
};

class CLevelBlur {
public:
    CLevelBlur(ARGB* const* rows, int width, int height, const std::vector<RowMix>& mix)
        : m_rows(rows), m_width(width), m_height(height), m_mix(mix)
    {
    }

    // Blurs every level's rows and puts them in place: the lower level of a
    // row is written, the upper one mixed into it (levels in rising order).
    void Apply(const std::vector<double>& radii)
    {
        std::vector<LevelRun> runs;
        for (int level = 0; level < static_cast<int>(radii.size()); ++level)
            AddRuns(level, radii[static_cast<size_t>(level)], runs);
        KeepSourcesReadLater(runs);
        for (const LevelRun& run : runs)
            ApplyRun(run);
    }

private:
    void AddRuns(int level, double radius, std::vector<LevelRun>& runs) const
    {
        // The kernel reaches ceil(radius) rows; with that margin the rows of
        // a run come out as a blur of the whole texture would give them.
        const int margin = static_cast<int>(std::ceil(radius)) + 2;
        int y = 0;
        while (y < m_height) {
            if (!UsesLevel(m_mix[static_cast<size_t>(y)], level)) {
                ++y;
                continue;
            }
            int end = y;
            while (end < m_height && UsesLevel(m_mix[static_cast<size_t>(end)], level))
                ++end;
            runs.push_back(LevelRun{level, radius, y, end, std::max(0, y - margin), std::min(m_height, end + margin)});
            y = end;
        }
    }

    // A row is blurred in place by the run of its lower level; a run after
    // that one that reads it (in its margin, or to mix it) needs its source
    // pixels, kept here. Those are the few rows near where the level
    // changes (or, centred, where the two runs of one level meet).
    void KeepSourcesReadLater(const std::vector<LevelRun>& runs)
    {
        std::vector<int> lastReader(static_cast<size_t>(m_height), -1);
        std::vector<int> writer(static_cast<size_t>(m_height), -1);
        for (int i = 0; i < static_cast<int>(runs.size()); ++i) {
            const LevelRun& run = runs[static_cast<size_t>(i)];
            for (int y = run.from; y < run.to; ++y)
                lastReader[static_cast<size_t>(y)] = i;
            for (int y = run.begin; y < run.end; ++y)
                if (m_mix[static_cast<size_t>(y)].level == run.level)
                    writer[static_cast<size_t>(y)] = i;
        }
        const auto readLater = [&](int y) { return lastReader[static_cast<size_t>(y)] > writer[static_cast<size_t>(y)]; };
        size_t kept = 0;
        for (int y = 0; y < m_height; ++y)
            kept += readLater(y);
        const size_t rowPixels = static_cast<size_t>(m_width);
        m_kept.resize(kept * rowPixels);
        m_source.assign(m_rows, m_rows + m_height);
        size_t next = 0;
        for (int y = 0; y < m_height; ++y) {
            if (!readLater(y))
                continue;
            ARGB* copy = m_kept.data() + next++ * rowPixels;
            std::memcpy(copy, m_rows[y], rowPixels * sizeof(ARGB));
            m_source[static_cast<size_t>(y)] = copy;
        }
    }

    void ApplyRun(const LevelRun& run)
    {
        // The rows whose lower level this is are blurred where they lie; the
        // margin and the rows that mix this level in, in copies.
        const size_t rowPixels = static_cast<size_t>(m_width);
        const auto inPlace = [&](int y) {
            return y >= run.begin && y < run.end && m_mix[static_cast<size_t>(y)].level == run.level;
        };
        size_t copies = 0;
        for (int y = run.from; y < run.to; ++y)
            copies += !inPlace(y);
        if (m_scratch.size() < copies * rowPixels)
            m_scratch.resize(copies * rowPixels);
        m_runRows.resize(static_cast<size_t>(run.to - run.from));
        size_t next = 0;
        for (int y = run.from; y < run.to; ++y) {
            ARGB*& row = m_runRows[static_cast<size_t>(y - run.from)];
            if (inPlace(y)) {
                row = m_rows[y];
                continue;
            }
            row = m_scratch.data() + next++ * rowPixels;
            std::memcpy(row, m_source[static_cast<size_t>(y)], rowPixels * sizeof(ARGB));
        }
        FilterInPlace(m_runRows.data(), m_width, run.to - run.from, run.radius, 0, kTent);
        ParallelFor(run.end - run.begin, LinesPerThread(m_width), [&](int first, int last) {
            for (int y = run.begin + first; y < run.begin + last; ++y) {
                const RowMix& m = m_mix[static_cast<size_t>(y)];
                if (m.level != run.level)
                    MixSoftBlurRow(m_rows[y], m_runRows[static_cast<size_t>(y - run.from)], m_width, m.upper);
            }
        });
    }

    ARGB* const* m_rows;
    int m_width;
    int m_height;
    const std::vector<RowMix>& m_mix;
    // Where each row's source pixels are: the row itself until its level
    // has blurred it, or a kept copy when a later level still reads it.
    std::vector<const ARGB*> m_source;
    std::vector<ARGB> m_kept;
    std::vector<ARGB> m_scratch;
    std::vector<ARGB*> m_runRows;
};

}  // namespace

double SoftBlurRowRadius(int row, double radius, int softness, SoftBlurSpan span)
{
    const double s = std::min(100, std::max(0, softness)) / 100.0;
    return radius * (1.0 - s + s * RowPosition(row, span));
}

SoftBlurPlan PlanSoftBlur(int height, double radius, int softness, SoftBlurSpan span)
{
    softness = std::min(100, std::max(0, softness));
    const double nearRadius = radius * (100 - softness) / 100.0;
    const int bands =
        std::min(kMaxBands, std::max(1, static_cast<int>(std::ceil((radius - nearRadius) / kLevelStep))));
    SoftBlurPlan plan;
    for (int level = 0; level <= bands; ++level)
        plan.radii.push_back(nearRadius + (radius - nearRadius) * level / bands);
    for (int y = 0; y < height; ++y) {
        const RowMix m = MixOf(RowPosition(y, span), bands);
        plan.level.push_back(m.level);
        plan.upper.push_back(m.upper);
    }
    return plan;
}

namespace {

// One band of columns of the texture, blurred on its own: a copy of its
// columns and of the columns the kernel reaches on either side, so that its
// own columns come out as a blur of the whole width would give them.
struct ColumnBand {
    int left, right;  // its own columns
    int from, to;     // the columns it holds
    std::vector<ARGB> pixels;

    void Blur(ARGB* const* rows, int height, const std::vector<RowMix>& mix, const std::vector<double>& radii)
    {
        const size_t width = static_cast<size_t>(to - from);
        pixels.resize(width * static_cast<size_t>(height));
        std::vector<ARGB*> bandRows(static_cast<size_t>(height));
        for (int y = 0; y < height; ++y) {
            bandRows[static_cast<size_t>(y)] = pixels.data() + width * static_cast<size_t>(y);
            std::memcpy(bandRows[static_cast<size_t>(y)], rows[y] + from, width * sizeof(ARGB));
        }
        CLevelBlur(bandRows.data(), to - from, height, mix).Apply(radii);
    }

    // Once every band has read its columns: its own columns go back.
    void PutBack(ARGB* const* rows, int begin, int end) const
    {
        const size_t width = static_cast<size_t>(to - from);
        for (int y = begin; y < end; ++y)
            std::memcpy(rows[y] + left, pixels.data() + width * static_cast<size_t>(y) + (left - from),
                        static_cast<size_t>(right - left) * sizeof(ARGB));
    }
};

}  // namespace

void SoftBlurInPlace(ARGB* const* rows, int width, int height, double radius, int softness, SoftBlurSpan span)
{
    if (softness <= 0 || radius <= 0 || width <= 0 || height <= 0) {
        FilterInPlace(rows, width, height, radius, 0, kTent);
        return;
    }
    const SoftBlurPlan plan = PlanSoftBlur(height, radius, softness, span);
    std::vector<RowMix> mix(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        mix[static_cast<size_t>(y)] = RowMix{plan.level[static_cast<size_t>(y)], plan.upper[static_cast<size_t>(y)]};
    // The levels' runs are a few hundred rows each, too few for the
    // resampler to share out; the texture is shared out in bands of columns
    // instead, each with the columns the kernel reaches beside it. The bits
    // are the same for any number of bands.
    const int margin = static_cast<int>(std::ceil(radius)) + 2;
    const int count = std::max(1, std::min(WorkerThreadCount(), width));
    const int minBands = std::max(1, kMinPixelsPerThread / std::max(1, (width / count) * height));
    std::vector<ColumnBand> bands(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        ColumnBand& band = bands[static_cast<size_t>(i)];
        band.left = i * width / count;
        band.right = (i + 1) * width / count;
        band.from = std::max(0, band.left - margin);
        band.to = std::min(width, band.right + margin);
    }
    ParallelFor(count, minBands, [&](int first, int last) {
        for (int i = first; i < last; ++i)
            bands[static_cast<size_t>(i)].Blur(rows, height, mix, plan.radii);
    });
    ParallelFor(height, LinesPerThread(width, kMinCopiedPixelsPerThread), [&](int begin, int end) {
        for (const ColumnBand& band : bands)
            band.PutBack(rows, begin, end);
    });
}
