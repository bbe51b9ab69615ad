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
const double kCrossFade = 0.25;

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

// Mixes the pixels of two levels: alpha by the row's weight; the colour is
// the shadow colour wherever either level has one (every texel of the
// texture carries the same colour, or none where the blur left it clear).
void MixRow(ARGB* out, const ARGB* upperLevel, int width, int upper)
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

class CLevelBlur {
public:
    CLevelBlur(ARGB* const* rows, int width, int height, const std::vector<RowMix>& mix)
        : m_rows(rows), m_width(width), m_height(height), m_mix(mix),
          m_source(static_cast<size_t>(width) * static_cast<size_t>(height))
    {
        for (int y = 0; y < height; ++y)
            std::memcpy(SourceRow(y), rows[y], static_cast<size_t>(width) * sizeof(ARGB));
    }

    // Blurs the rows that use `level` at `radius` and puts them in place:
    // the lower level of a row is written, the upper one mixed into it (the
    // levels come in rising order).
    void Apply(int level, double radius)
    {
        int y = 0;
        while (y < m_height) {
            if (!UsesLevel(m_mix[y], level)) {
                ++y;
                continue;
            }
            int end = y;
            while (end < m_height && UsesLevel(m_mix[end], level))
                ++end;
            ApplyRun(level, radius, y, end);
            y = end;
        }
    }

private:
    ARGB* SourceRow(int y) { return m_source.data() + static_cast<size_t>(y) * static_cast<size_t>(m_width); }

    void ApplyRun(int level, double radius, int begin, int end)
    {
        // The kernel reaches ceil(radius) rows; with that margin the rows
        // begin..end come out as a blur of the whole texture would give them.
        const int margin = static_cast<int>(std::ceil(radius)) + 2;
        const int from = std::max(0, begin - margin);
        const int to = std::min(m_height, end + margin);
        const size_t rowPixels = static_cast<size_t>(m_width);
        m_scratch.resize(rowPixels * static_cast<size_t>(to - from));
        m_scratchRows.resize(static_cast<size_t>(to - from));
        for (int y = from; y < to; ++y) {
            ARGB* row = m_scratch.data() + rowPixels * static_cast<size_t>(y - from);
            std::memcpy(row, SourceRow(y), rowPixels * sizeof(ARGB));
            m_scratchRows[static_cast<size_t>(y - from)] = row;
        }
        FilterInPlace(m_scratchRows.data(), m_width, to - from, radius, 0, kTent);
        ParallelFor(end - begin, LinesPerThread(m_width), [&](int first, int last) {
            for (int y = begin + first; y < begin + last; ++y) {
                const ARGB* blurred = m_scratchRows[static_cast<size_t>(y - from)];
                const RowMix& m = m_mix[y];
                if (m.level == level)
                    std::memcpy(m_rows[y], blurred, rowPixels * sizeof(ARGB));
                else
                    MixRow(m_rows[y], blurred, m_width, m.upper);
            }
        });
    }

    ARGB* const* m_rows;
    int m_width;
    int m_height;
    const std::vector<RowMix>& m_mix;
    std::vector<ARGB> m_source;
    std::vector<ARGB> m_scratch;
    std::vector<ARGB*> m_scratchRows;
};

}  // namespace

double SoftBlurRowRadius(int row, double radius, int softness, SoftBlurSpan span)
{
    const double s = std::min(100, std::max(0, softness)) / 100.0;
    return radius * (1.0 - s + s * RowPosition(row, span));
}

void SoftBlurInPlace(ARGB* const* rows, int width, int height, double radius, int softness, SoftBlurSpan span)
{
    softness = std::min(100, std::max(0, softness));
    if (softness == 0 || radius <= 0 || width <= 0 || height <= 0) {
        FilterInPlace(rows, width, height, radius, 0, kTent);
        return;
    }
    const double nearRadius = radius * (100 - softness) / 100.0;
    const int bands =
        std::min(kMaxBands, std::max(1, static_cast<int>(std::ceil((radius - nearRadius) / kLevelStep))));
    std::vector<RowMix> mix(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        mix[static_cast<size_t>(y)] = MixOf(RowPosition(y, span), bands);

    CLevelBlur blur(rows, width, height, mix);
    for (int level = 0; level <= bands; ++level)
        blur.Apply(level, nearRadius + (radius - nearRadius) * level / bands);
}
