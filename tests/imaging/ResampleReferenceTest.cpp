// The production resampler against the plain reference, bit for bit, over
// every kernel, both policies, and same-size, shrinking and enlarging passes.
#include <gtest/gtest.h>

#include "ResampleFixtures.h"
#include "ResampleReference.h"
#include "imaging/TwoPassScale.h"

namespace {

template <class CFilter, class CPolicy>
std::vector<ARGB> Production(const Image& src, int dw, int dh, double width, ARGB fill)
{
    Image dst(dw, dh, fill);
    C2PassScale<CFilter, CPolicy>(width).Resize(src.constRows.data(), src.width, src.height, dst.rows.data(), dw, dh);
    return dst.pixels;
}

template <class CFilter>
void CompareKernel(const Image& src, const char* name, double width)
{
    const struct {
        int w, h;
    } sizes[] = {{src.width, src.height}, {src.width / 3, src.height * 2 / 5}, {src.width * 2 + 1, src.height * 7 / 4},
                 {src.width - 1, src.height + 5}};
    const ARGB fill = 0x5A3C2B1E;  // what the alpha-only policy leaves alone
    for (const auto& s : sizes) {
        for (bool alphaOnly : {false, true}) {
            SCOPED_TRACE(testing::Message() << name << " width " << width << " to " << s.w << "x" << s.h
                                            << (alphaOnly ? " alpha only" : ""));
            const std::vector<ARGB> expected = reference::Resize<CFilter>(
                src.pixels, src.width, src.height, std::vector<ARGB>(static_cast<size_t>(s.w) * s.h, fill), s.w, s.h,
                width, alphaOnly);
            const std::vector<ARGB> actual =
                alphaOnly ? Production<CFilter, CDataPaintLib8>(src, s.w, s.h, width, fill)
                          : Production<CFilter, CDataPaintLib32>(src, s.w, s.h, width, fill);
            ASSERT_EQ(actual.size(), expected.size());
            size_t mismatches = 0;
            for (size_t i = 0; i < actual.size(); ++i)
                mismatches += actual[i] != expected[i];
            EXPECT_EQ(mismatches, 0u);
        }
    }
}

TEST(C2PassScaleReference, MatchesThePlainAlgorithmBitForBit)
{
    Image src(97, 71);
    PaintTestPattern(src.width, src.height, src.rows.data());
    CompareKernel<CBilinearFilter>(src, "tent", 0.7);
    CompareKernel<CBilinearFilter>(src, "tent", 4.4);
    CompareKernel<CBilinearFilter>(src, "tent", 24);
    CompareKernel<CBoxFilter>(src, "box", 0.5);
    CompareKernel<CBoxFilter>(src, "box", 2.5);
    CompareKernel<CGaussianFilter>(src, "gaussian", 3);
    CompareKernel<CBicubicFilter>(src, "bicubic", 2);
    CompareKernel<CLanczos3Filter>(src, "lanczos", 3);
}

TEST(C2PassScaleReference, MatchesOnFlatAreasToo)
{
    // Flat areas take the reuse of results for windows of one pixel value;
    // an image of them checks that reuse against the plain algorithm.
    Image src(131, 97);
    PaintSilhouette(src.width, src.height, src.rows.data());
    CompareKernel<CBilinearFilter>(src, "tent", 0.7);
    CompareKernel<CBilinearFilter>(src, "tent", 4.4);
    CompareKernel<CBilinearFilter>(src, "tent", 24);
    CompareKernel<CBoxFilter>(src, "box", 3);
    CompareKernel<CBicubicFilter>(src, "bicubic", 2);
}

}  // namespace
