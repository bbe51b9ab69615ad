// C2PassScale: the two passes, the pixel policies, progress and abort.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ResampleFixtures.h"
#include "imaging/TwoPassScale.h"

namespace {

template <class CFilter, class CPolicy = CDataPaintLib32>
Image Resized(const Image& src, int w, int h, double width, ARGB fill = 0)
{
    Image dst(w, h, fill);
    C2PassScale<CFilter, CPolicy> scale(width);
    EXPECT_EQ(scale.Resize(src.constRows.data(), src.width, src.height, dst.rows.data(), w, h), dst.rows.data());
    return dst;
}

TEST(C2PassScale, SameSizeNarrowTentCopiesAndClearsTransparent)
{
    Image src(7, 5);
    PaintTestPattern(src.width, src.height, src.rows.data());
    src.At(1, 1) = 0x00ABCDEF;  // transparent with colour
    src.At(2, 1) = 0x01ABCDEF;  // barely visible: kept as it is
    for (double width : {0.0, 0.3, 0.7, 1.0}) {
        SCOPED_TRACE(width);
        const Image out = Resized<CBilinearFilter>(src, 7, 5, width);
        for (size_t i = 0; i < src.pixels.size(); ++i)
            EXPECT_EQ(out.pixels[i], (src.pixels[i] >> 24) ? src.pixels[i] : 0u) << i;
    }
}

TEST(C2PassScale, SameSizeTentWidth2BlursBothPasses)
{
    // An opaque black square with one blue pixel of 200 in the middle. The
    // row pass spreads it 50, 100, 50; the column pass spreads each of those
    // by 1/4, 1/2, 1/4 again, rounding each pass to bytes.
    Image src(5, 5, Opaque(0));
    src.At(2, 2) = Opaque(200);
    const Image out = Resized<CBilinearFilter>(src, 5, 5, 2);
    const int expected[5][5] = {{0, 0, 0, 0, 0},
                                {0, 13, 25, 13, 0},
                                {0, 25, 50, 25, 0},
                                {0, 13, 25, 13, 0},
                                {0, 0, 0, 0, 0}};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(out.rows[y][x], Opaque(expected[y][x])) << x << "," << y;

    // At the edge 2/3 and 1/3: 90 at the first pixel keeps 60.
    Image edge(4, 1, Opaque(0));
    edge.At(0, 0) = Opaque(90);
    const Image e = Resized<CBilinearFilter>(edge, 4, 1, 2);
    EXPECT_EQ(e.At(0, 0), Opaque(60));
    EXPECT_EQ(e.At(1, 0), Opaque(23));  // 22.5 rounds up
}

TEST(C2PassScale, TransparentNeighboursDoNotDarkenColour)
{
    // Opaque red and transparent blue, shrunk to one pixel with the box:
    // T = 1/2, g = 2, so red stays 255 while alpha halves to 128.
    Image src(2, 1);
    src.At(0, 0) = 0xFFFF0000;
    src.At(1, 0) = 0x000000FF;
    EXPECT_EQ(Resized<CBoxFilter>(src, 1, 1, 0).At(0, 0), 0x80FF0000u);

    // All transparent: nothing to scale up, the result is transparent black.
    src.At(0, 0) = 0x00FF0000;
    EXPECT_EQ(Resized<CBoxFilter>(src, 1, 1, 0).At(0, 0), 0u);
}

TEST(C2PassScale, BicubicOvershootIsClamped)
{
    // Destination 3 of four is -0.0694 * p0 + 1.0694 * p1 in each channel:
    // blue 255 -> 0 goes below 0, green 0 -> 255 beyond 255.
    Image src(2, 1);
    src.At(0, 0) = 0xFF0000FF;
    src.At(1, 0) = 0xFF00FF00;
    const Image out = Resized<CBicubicFilter>(src, 4, 1, 0);
    EXPECT_EQ(out.At(3, 0), 0xFF00FF00u);
    EXPECT_EQ(out.At(1, 0), 0xFF008080u);  // halfway: 127.5 rounds up in both
    // And the mirror image undershoots the other way.
    std::swap(src.At(0, 0), src.At(1, 0));
    EXPECT_EQ(Resized<CBicubicFilter>(src, 4, 1, 0).At(3, 0), 0xFF0000FFu);
}

TEST(C2PassScale, AlphaOnlyPolicyKeepsOrClearsColour)
{
    Image src(4, 3, 0xFF102030);
    src.At(0, 0) = 0x00405060;
    // Same size: both passes copy whole rows, so every colour byte is the
    // source's, and only alpha is filtered.
    const Image same = Resized<CBilinearFilter, CDataPaintLib8>(src, 4, 3, 2, 0xEE777777);
    EXPECT_EQ(same.At(0, 0), (same.At(0, 0) & 0xFF000000) | 0x405060);
    EXPECT_EQ(same.At(0, 0) >> 24, 142u);  // (255 * 1/3) * 2/3 + 255 * 1/3, rounded per pass
    EXPECT_EQ(same.At(3, 2), 0xFF102030u);

    // Width changes, height does not: the vertical pass copies the
    // intermediate rows whole, and their colour bytes start cleared.
    const Image narrower = Resized<CBoxFilter, CDataPaintLib8>(src, 2, 3, 0, 0xEE777777);
    for (ARGB p : narrower.pixels)
        EXPECT_EQ(p & 0x00FFFFFF, 0u);

    // Height changes: nothing is copied into the destination, whose colour
    // bytes stay.
    const Image shorter = Resized<CBoxFilter, CDataPaintLib8>(src, 4, 2, 0, 0xEE777777);
    for (ARGB p : shorter.pixels)
        EXPECT_EQ(p & 0x00FFFFFF, 0x777777u);
    EXPECT_EQ(shorter.At(3, 1) >> 24, 255u);
}

TEST(C2PassScale, DegenerateSizes)
{
    Image src(3, 3, Opaque(0x123456));
    // No source pixels: every destination pixel has an empty window.
    for (int sw : {0, 3}) {
        const int sh = sw == 0 ? 3 : 0;
        Image dst(4, 4, 0xDEADBEEF);
        C2PassScale<CBilinearFilter, CDataPaintLib32> scale(2);
        EXPECT_NE(scale.Resize(src.constRows.data(), sw, sh, dst.rows.data(), 4, 4), nullptr);
        for (ARGB p : dst.pixels)
            EXPECT_EQ(p, 0u) << sw << "x" << sh;
    }
    // No destination pixels: nothing is written, nothing is read past the
    // (empty) row arrays.
    Image dst(4, 4, 0xDEADBEEF);
    C2PassScale<CBilinearFilter, CDataPaintLib32> scale(2);
    for (int w : {0, -3}) {
        EXPECT_NE(scale.Resize(src.constRows.data(), 3, 3, dst.rows.data(), w, 4), nullptr);
        EXPECT_NE(scale.Resize(src.constRows.data(), 3, 3, dst.rows.data(), 4, w), nullptr);
    }
    for (ARGB p : dst.pixels)
        EXPECT_EQ(p, 0xDEADBEEFu);
}

std::vector<int> g_progress;
int g_abortAt;

int RecordProgress(uint8_t percent)
{
    g_progress.push_back(percent);
    return percent < g_abortAt;
}

TEST(C2PassScale, ProgressAndAbort)
{
    Image src(4, 4, Opaque(0x808080));
    // Completes: rows report 0-49, columns 50-99.
    g_progress.clear();
    g_abortAt = 100;
    Image dst(2, 3, 0xDEADBEEF);
    C2PassScale<CBoxFilter, CDataPaintLib32> scale(0, RecordProgress);
    EXPECT_EQ(scale.Resize(src.constRows.data(), 4, 4, dst.rows.data(), 2, 3), dst.rows.data());
    EXPECT_EQ(g_progress, (std::vector<int>{0, 12, 25, 37, 50, 75}));
    EXPECT_FALSE(scale.IsAborted());

    // Abort in the row pass: the destination is not touched.
    std::fill(dst.pixels.begin(), dst.pixels.end(), 0xDEADBEEF);
    g_progress.clear();
    g_abortAt = 25;
    EXPECT_EQ(scale.Resize(src.constRows.data(), 4, 4, dst.rows.data(), 2, 3), nullptr);
    EXPECT_TRUE(scale.IsAborted());
    EXPECT_EQ(g_progress, (std::vector<int>{0, 12, 25}));
    for (ARGB p : dst.pixels)
        EXPECT_EQ(p, 0xDEADBEEFu);

    // Abort at the second column: the first column is written, the second
    // is not.
    g_abortAt = 75;
    EXPECT_EQ(scale.Resize(src.constRows.data(), 4, 4, dst.rows.data(), 2, 3), nullptr);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(dst.At(0, y), Opaque(0x808080));
        EXPECT_EQ(dst.At(1, y), 0xDEADBEEFu);
    }

    // The next Resize starts afresh.
    g_abortAt = 100;
    EXPECT_EQ(scale.Resize(src.constRows.data(), 4, 4, dst.rows.data(), 2, 3), dst.rows.data());
    EXPECT_FALSE(scale.IsAborted());
    EXPECT_EQ(dst.At(1, 2), Opaque(0x808080));
}

}  // namespace
