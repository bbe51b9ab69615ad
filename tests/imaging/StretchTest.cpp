// CDib::Stretch and CDib::StretchRect: kernel selection, rectangles, the
// plain copy path. These run in every build; on Windows the copy path is
// GDI's StretchBlt.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "PictureCompare.h"
#include "ResampleFixtures.h"
#include "imaging/Dib.h"
#include "imaging/TwoPassScale.h"

namespace {

// What C2PassScale makes of the whole of src at the destination's size.
template <class CFilter>
void Direct(const CDib& src, CDib& dst, double width)
{
    std::vector<const ARGB*> from(src.GetHeight());
    std::vector<ARGB*> to(dst.GetHeight());
    for (int y = 0; y < src.GetHeight(); ++y)
        from[y] = src.Row(y);
    for (int y = 0; y < dst.GetHeight(); ++y)
        to[y] = dst.Row(y);
    C2PassScale<CFilter, CDataPaintLib32>(width).Resize(from.data(), src.GetWidth(), src.GetHeight(), to.data(),
                                                        dst.GetWidth(), dst.GetHeight());
}

TEST(CDibStretch, KernelCodeAndWidthSelectTheKernel)
{
    // Resizing 23 x 17 to 31 x 12 tells every kernel and width apart (at
    // unchanged size several of them are plain copies).
    CDib src;
    ASSERT_TRUE(src.Create(23, 17));
    FillPattern(src);
    typedef std::function<void(CDib&)> Run;
    struct Candidate {
        const char* name;
        Run run;
    };
    const Candidate kernels[] = {
        {"tent 0.7", [&](CDib& d) { Direct<CBilinearFilter>(src, d, 0.7); }},
        {"tent 2", [&](CDib& d) { Direct<CBilinearFilter>(src, d, 2); }},
        {"box 0.5", [&](CDib& d) { Direct<CBoxFilter>(src, d, 0.5); }},
        {"gaussian 3", [&](CDib& d) { Direct<CGaussianFilter>(src, d, 3); }},
        {"gaussian 2", [&](CDib& d) { Direct<CGaussianFilter>(src, d, 2); }},
        {"bicubic", [&](CDib& d) { Direct<CBicubicFilter>(src, d, 2); }},
        {"lanczos 3", [&](CDib& d) { Direct<CLanczos3Filter>(src, d, 3); }},
        {"lanczos 2", [&](CDib& d) { Direct<CLanczos3Filter>(src, d, 2); }},
    };
    const int n = sizeof(kernels) / sizeof(kernels[0]);
    std::vector<CDib> results(n);
    for (int i = 0; i < n; ++i) {
        ASSERT_TRUE(results[i].Create(31, 12));
        kernels[i].run(results[i]);
    }
    // The fixture must tell the candidates apart, or the table below proves
    // nothing.
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            EXPECT_FALSE(SamePixels(results[i], results[j])) << kernels[i].name << " vs " << kernels[j].name;

    struct Case {
        int32_t code;
        double width;
        int expected;  // index into kernels
    };
    // Width 0 is the plain copy, not the default width: only 0.5 is.
    const Case cases[] = {
        {3, 0.5, 0},  {7, 0.5, 0}, {-1, 0.7, 0}, {3, 2, 1},   {7, 2, 1},        {1, 0.5, 2},
        {2, 0.5, 3},  {2, 3, 3},   {3, -2, 4},   {5, -2, 4},  {2, -2, 4},       {4, 0.5, 5},
        {4, 9, 5},    {5, 0.5, 6}, {5, 2, 7},    {5, 0.50009, 6},
    };
    for (const Case& c : cases) {
        CDib out;
        ASSERT_TRUE(out.Create(31, 12));
        src.Stretch(out, c.width, kStretchWholeDest, 0, c.code);
        EXPECT_TRUE(SamePixels(out, results[c.expected]))
            << "code " << c.code << " width " << c.width << " should be " << kernels[c.expected].name;
    }
}

TEST(CDibStretch, EmptyDestinationIsCreatedAtTheSourceSize)
{
    CDib src;
    ASSERT_TRUE(src.Create(9, 6));
    FillPattern(src);
    CDib dst;
    src.StretchRect(dst, PixelRect{2, 1, 5, 4}, 0.7, kStretchWholeDest, 0, kStretchBilinear);
    ASSERT_EQ(dst.GetWidth(), 9);
    ASSERT_EQ(dst.GetHeight(), 6);
    // The 3 x 3 source rectangle was spread over the whole 9 x 6 buffer.
    CDib crop, expected;
    ASSERT_TRUE(crop.Create(3, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            crop.Row(y)[x] = src.Row(1 + y)[2 + x];
    ASSERT_TRUE(expected.Create(9, 6));
    Direct<CBilinearFilter>(crop, expected, 0.7);
    EXPECT_TRUE(SamePixels(dst, expected));
}

TEST(CDibStretch, RectanglesInsideLargerBuffersAreProcessedInPlace)
{
    CDib src, dst;
    ASSERT_TRUE(src.Create(20, 16));
    FillPattern(src);
    ASSERT_TRUE(dst.Create(15, 11));
    dst.Fill(0xFFADBEEF);
    const PixelRect rcSrc{3, 2, 17, 13}, rcDest{4, 1, 12, 10};
    src.StretchRect(dst, rcSrc, 1.5, rcDest, 0, kStretchBilinear);

    CDib crop, expected;
    ASSERT_TRUE(crop.Create(14, 11));
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 14; ++x)
            crop.Row(y)[x] = src.Row(2 + y)[3 + x];
    ASSERT_TRUE(expected.Create(8, 9));
    Direct<CBilinearFilter>(crop, expected, 1.5);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 15; ++x) {
            const bool inside = rcDest.Contains(x, y);
            EXPECT_EQ(dst.Row(y)[x], inside ? expected.Row(y - 1)[x - 4] : 0xFFADBEEFu) << x << "," << y;
        }
}

TEST(CDibStretch, InPlaceOnOneBuffer)
{
    // The source is read in full before the destination is written, so a
    // buffer can be blurred into itself.
    CDib dib, copy, expected;
    ASSERT_TRUE(dib.Create(12, 9));
    FillPattern(dib);
    dib.CopyTo(copy);
    ASSERT_TRUE(expected.Create(12, 9));
    copy.Stretch(expected, 2, kStretchWholeDest, 0, kStretchBilinear);
    dib.Stretch(dib, 2, kStretchWholeDest, 0, kStretchBilinear);
    EXPECT_TRUE(SamePixels(dib, expected));
}

// FilterInPlace on packed rows of their own gives what Stretch gives into a
// second buffer: every kernel, both policies, widths that take each turn of
// the kernel choice (negative: Gaussian; 0.5: the default; 0: the copy).
TEST(CDibStretch, FilterInPlaceMatchesStretchIntoAnotherBuffer)
{
    CDib src;
    ASSERT_TRUE(src.Create(57, 43));
    FillPattern(src);
    const int w = src.GetWidth(), h = src.GetHeight();
    const struct {
        int32_t code;
        double width;
        int32_t alphaOnly;
    } cases[] = {
        {kStretchBilinear, 4.4, 0}, {kStretchBilinear, 4.4, 1}, {kStretchBox, 1.5, 0}, {kStretchGaussian, 3, 1},
        {kStretchBicubic, 0.5, 0},  {kStretchLanczos3, 2, 0},   {kStretchBilinear, -2, 0}, {kStretchNone, 3, 0},
        {kStretchBilinear, 0, 1},
    };
    for (const auto& c : cases) {
        CDib expected;
        ASSERT_TRUE(expected.Create(w, h));
        src.CopyTo(expected);  // the copy path and the alpha policy keep what they do not write
        src.Stretch(expected, c.width, kStretchWholeDest, c.alphaOnly, c.code);
        std::vector<ARGB> packed(size_t(w) * h);
        std::vector<ARGB*> rows(h);
        for (int y = 0; y < h; ++y) {
            rows[y] = &packed[size_t(y) * w];
            for (int x = 0; x < w; ++x)
                rows[y][x] = src.Row(y)[x];
        }
        FilterInPlace(rows.data(), w, h, c.width, c.alphaOnly, c.code);
        bool same = true;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                same = same && rows[y][x] == expected.Row(y)[x];
        EXPECT_TRUE(same) << "code " << c.code << " width " << c.width << " alpha only " << c.alphaOnly;
    }
}

TEST(CDibStretch, NoFilterIsAnExactCopy)
{
    // Width 0 (blur 0), code 0, or a width too small to matter: the copy
    // keeps every byte, colour of transparent pixels included, where the
    // filter would clear it.
    CDib src;
    ASSERT_TRUE(src.Create(13, 7));
    FillPattern(src);
    const struct {
        double width;
        int32_t code;
    } cases[] = {{0, kStretchBilinear}, {2, kStretchNone}, {0.000009, kStretchGaussian}, {-0.000009, kStretchBox}};
    for (const auto& c : cases) {
        CDib dst;
        src.Stretch(dst, c.width, kStretchWholeDest, 0, c.code);
        EXPECT_TRUE(SamePixels(dst, src)) << c.width << " code " << c.code;
    }

    // Into a rectangle of a larger buffer, leaving the rest alone.
    CDib big;
    ASSERT_TRUE(big.Create(20, 10));
    big.Fill(0xFFADBEEF);
    src.StretchRect(big, PixelRect{2, 1, 7, 5}, 0, PixelRect{10, 3, 15, 7}, 0, kStretchBilinear);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 10 && x < 15 && y >= 3 && y < 7;
            EXPECT_EQ(big.Row(y)[x], inside ? src.Row(y - 2)[x - 8] : 0xFFADBEEFu) << x << "," << y;
        }
}

TEST(CDibStretch, RectanglesOutsideTheBuffersDoNothing)
{
    CDib src, dst;
    ASSERT_TRUE(src.Create(8, 8));
    FillPattern(src);
    ASSERT_TRUE(dst.Create(8, 8));
    const PixelRect bad[] = {{-1, 0, 4, 4}, {0, 0, 9, 4}, {0, 0, 4, 9}, {5, 0, 4, 4}, {0, 5, 4, 4}, {0, -2, 3, 3}};
    for (double width : {0.0, 2.0}) {
        for (const PixelRect& r : bad) {
            dst.Fill(0xFFADBEEF);
            src.StretchRect(dst, r, width, kStretchWholeDest, 0, kStretchBilinear);
            src.StretchRect(dst, PixelRect{0, 0, 8, 8}, width, r, 0, kStretchBilinear);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    ASSERT_EQ(dst.Row(y)[x], 0xFFADBEEFu) << r.left << "," << r.top << "," << r.right << ","
                                                         << r.bottom << " width " << width;
        }
    }
}

TEST(CDibStretch, EmptyRectangles)
{
    CDib src, dst;
    ASSERT_TRUE(src.Create(8, 8));
    FillPattern(src);
    ASSERT_TRUE(dst.Create(8, 8));
    // A source rectangle without pixels leaves the destination rectangle
    // transparent black.
    dst.Fill(0xFFADBEEF);
    src.StretchRect(dst, PixelRect{3, 3, 3, 6}, 2, PixelRect{1, 1, 4, 4}, 0, kStretchBilinear);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(dst.Row(y)[x], (x >= 1 && x < 4 && y >= 1 && y < 4) ? 0u : 0xFFADBEEFu) << x << "," << y;
    // A destination rectangle without pixels writes nothing, in either path.
    for (double width : {0.0, 2.0}) {
        dst.Fill(0xFFADBEEF);
        src.StretchRect(dst, PixelRect{0, 0, 8, 8}, width, PixelRect{2, 2, 2, 7}, 0, kStretchBilinear);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(dst.Row(y)[x], 0xFFADBEEFu);
    }
    // An empty source buffer leaves an empty destination empty.
    CDib none, out;
    none.Stretch(out, 2, kStretchWholeDest, 0, kStretchBilinear);
    EXPECT_TRUE(out.IsEmpty());
}

TEST(CDibStretch, AlphaOnlyFlagSelectsTheAlphaPolicy)
{
    CDib src, dst;
    ASSERT_TRUE(src.Create(10, 6));
    FillPattern(src);
    ASSERT_TRUE(dst.Create(10, 6));
    src.Stretch(dst, 2, kStretchWholeDest, 1, kStretchBilinear);
    CDib full;
    src.Stretch(full, 2, kStretchWholeDest, 0, kStretchBilinear);
    // Alpha as the full filter gives it, colour bytes straight from the
    // source (both passes copied whole rows at unchanged size).
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(dst.Row(y)[x], (full.Row(y)[x] & 0xFF000000) | (src.Row(y)[x] & 0x00FFFFFF)) << x << "," << y;
}

}  // namespace
