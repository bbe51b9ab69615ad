// The kernels and the weight tables built from them.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "imaging/Filters.h"
#include "imaging/WeightTable.h"

namespace {

std::vector<double> WeightsOf(const WeightTable& t, int i)
{
    const WeightRow& r = t.Rows[i];
    return std::vector<double>(r.Weights, r.Weights + r.Count());
}

TEST(ResampleKernels, DefaultsAndShapes)
{
    struct Case {
        const char* name;
        std::unique_ptr<CGenericFilter> filter;
        double defaultWidth;
        double at[4];  // Evaluate at 0, 0.5, 1.5 and 2.5
    };
    const double pi = 3.14159265358979323846;
    auto gauss = [&](double x) { return std::exp(-x * x / 3 - 1) / std::sqrt(2 * pi); };
    Case cases[] = {
        {"box", std::make_unique<CBoxFilter>(0), 0.5, {1, 1, 0, 0}},
        {"tent", std::make_unique<CBilinearFilter>(0), 0.7, {0.7, 0.7 - 0.5, 0, 0}},
        {"gaussian", std::make_unique<CGaussianFilter>(0), 3.0, {gauss(0), gauss(0.5), gauss(1.5), gauss(2.5)}},
        {"bicubic", std::make_unique<CBicubicFilter>(0), 2.0,
         {8.0 / 9, 7.0 / 48 - 0.5 + 8.0 / 9, -7.0 / 18 * 3.375 + 4.5 - 5 + 16.0 / 9, 0}},
        {"lanczos3", std::make_unique<CLanczos3Filter>(0), 3.0,
         {1, 6 / (pi * pi), -4 / (3 * pi * pi), 6 / (25 * pi * pi)}},
    };
    const double xs[4] = {0, 0.5, 1.5, 2.5};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.filter->GetWidth(), c.defaultWidth);
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(c.filter->Evaluate(xs[i]), c.at[i], 1e-12) << "at " << xs[i];
            EXPECT_EQ(c.filter->Evaluate(-xs[i]), c.filter->Evaluate(xs[i])) << "symmetric at " << xs[i];
        }
    }
}

TEST(ResampleKernels, WidthBelowThresholdMeansDefault)
{
    EXPECT_EQ(CBilinearFilter(0.000009).GetWidth(), 0.7);
    EXPECT_EQ(CBilinearFilter(-1).GetWidth(), 0.7);
    EXPECT_EQ(CBilinearFilter(std::nan("")).GetWidth(), 0.7);
    EXPECT_EQ(CBilinearFilter(0.00001).GetWidth(), 0.00001);
    EXPECT_EQ(CGaussianFilter(2).GetWidth(), 2.0);
}

TEST(ResampleKernels, CutOffsAtTheWidth)
{
    // Box and Gaussian include the edge, tent and Lanczos exclude it.
    EXPECT_EQ(CBoxFilter(1).Evaluate(1), 1);
    EXPECT_GT(CGaussianFilter(2).Evaluate(2), 0);
    EXPECT_EQ(CGaussianFilter(2).Evaluate(2.0001), 0);
    EXPECT_EQ(CBilinearFilter(2).Evaluate(2), 0);
    EXPECT_EQ(CLanczos3Filter(3).Evaluate(2.9999) != 0, true);
    EXPECT_EQ(CLanczos3Filter(3).Evaluate(3), 0);
    // The bicubic ignores its width.
    EXPECT_EQ(CBicubicFilter(5).Evaluate(2.5), 0);
    EXPECT_EQ(CBicubicFilter(5).Evaluate(1.5), CBicubicFilter(2).Evaluate(1.5));
}

TEST(ResampleWeights, SameSizeTent)
{
    // Width 2 (blur 10): 1/4, 1/2, 1/4 inside; at the first pixel the part
    // of the kernel outside the line is dropped and the rest renormalised.
    const WeightTable t = BuildWeightTable(CBilinearFilter(2), 10, 10, 1.0);
    EXPECT_EQ(t.WindowSize, 5);
    EXPECT_EQ(t.Rows[5].Left, 3);
    EXPECT_EQ(t.Rows[5].Right, 7);
    EXPECT_EQ(WeightsOf(t, 5), (std::vector<double>{0, 0.25, 0.5, 0.25, 0}));
    EXPECT_EQ(t.Rows[0].Left, 0);
    EXPECT_EQ(WeightsOf(t, 0), (std::vector<double>{2.0 / 3, 1.0 / 3, 0}));
    EXPECT_EQ(t.Rows[9].Right, 9);
    EXPECT_EQ(WeightsOf(t, 9), (std::vector<double>{0, 1.0 / 3, 2.0 / 3}));

    // Width 1.2 (blur 6): 0.125, 0.75, 0.125.
    const std::vector<double> w12 = WeightsOf(BuildWeightTable(CBilinearFilter(1.2), 10, 10, 1.0), 5);
    ASSERT_EQ(w12.size(), 5u);
    const double expected[5] = {0, 0.125, 0.75, 0.125, 0};
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(w12[k], expected[k], 1e-15) << k;

    // Any width up to 1 keeps only the centre: a copy.
    for (double w : {0.3, 0.7, 1.0}) {
        const WeightTable c = BuildWeightTable(CBilinearFilter(w), 6, 6, 1.0);
        for (int i = 0; i < 6; ++i) {
            const WeightRow& r = c.Rows[i];
            for (int j = r.Left; j <= r.Right; ++j)
                EXPECT_EQ(r.Weights[j - r.Left], j == i ? 1.0 : 0.0) << "width " << w << " at " << i;
        }
    }
}

TEST(ResampleWeights, ShrinkWidensTheSupport)
{
    // Two pixels into one with the box: the window grows to width 1 and the
    // kernel is squeezed by 1/2, so both pixels count half.
    const WeightTable t = BuildWeightTable(CBoxFilter(0), 1, 2, 0.5);
    EXPECT_EQ(t.WindowSize, 3);
    EXPECT_EQ(t.Rows[0].Left, 0);
    EXPECT_EQ(WeightsOf(t, 0), (std::vector<double>{0.5, 0.5}));

    // 10 into 4 with the tent at width 1: scale 0.4, w = 2.5, window 7;
    // destination 1 is centred on source 2.5.
    const WeightTable u = BuildWeightTable(CBilinearFilter(1), 4, 10, 0.4);
    EXPECT_EQ(u.WindowSize, 7);
    EXPECT_EQ(u.Rows[1].Left, 0);
    EXPECT_EQ(u.Rows[1].Right, 5);
    const std::vector<double> w = WeightsOf(u, 1);
    double raw[6], sum = 0;
    for (int j = 0; j < 6; ++j)
        sum += raw[j] = CBilinearFilter(1).Evaluate(std::fabs((2.5 - j) * 0.4)) * 0.4;
    for (int j = 0; j < 6; ++j)
        EXPECT_EQ(w[j], raw[j] / sum) << j;
}

TEST(ResampleWeights, EnlargeBicubicOvershoots)
{
    // Two pixels into four: destination 3 sits at source 1.5, beyond the
    // last pixel; the cubic's negative lobe gives -0.0694 and 1.0694.
    const WeightTable t = BuildWeightTable(CBicubicFilter(0), 4, 2, 2.0);
    EXPECT_EQ(t.Rows[3].Left, 0);
    EXPECT_EQ(t.Rows[3].Right, 1);
    EXPECT_NEAR(t.Rows[3].Weights[0], -0.0694, 0.00005);
    EXPECT_NEAR(t.Rows[3].Weights[1], 1.0694, 0.00005);
    // The cubic does not interpolate: even destination 0 takes 1/17 of its
    // neighbour (8/9 and 1/18 before normalising).
    EXPECT_NEAR(t.Rows[0].Weights[0], 16.0 / 17, 1e-15);
    EXPECT_NEAR(t.Rows[0].Weights[1], 1.0 / 17, 1e-15);
}

TEST(ResampleWeights, OverfullWindowDropsItsFirstSample)
{
    // Box of width 1 enlarging by 2: destination 5 sits at source 2.5, and
    // floor(1.5) .. ceil(3.5) is four samples for a window of 3. Source 1
    // goes, although it is as close as source 4.
    const WeightTable t = BuildWeightTable(CBoxFilter(1), 10, 5, 2.0);
    EXPECT_EQ(t.WindowSize, 3);
    EXPECT_EQ(t.Rows[5].Left, 2);
    EXPECT_EQ(t.Rows[5].Right, 4);
    // The centre on a source pixel fits exactly: 3 .. 5 around 4.
    EXPECT_EQ(t.Rows[8].Left, 3);
    EXPECT_EQ(t.Rows[8].Right, 4);  // clipped at the last pixel
}

TEST(ResampleWeights, DegenerateLines)
{
    // No source samples: every window is empty, whatever the scale.
    const WeightTable empty = BuildWeightTable(CBilinearFilter(2), 3, 0, 1.0);
    ASSERT_EQ(empty.Rows.size(), 3u);
    for (const WeightRow& r : empty.Rows)
        EXPECT_EQ(r.Count(), 0);
    EXPECT_TRUE(BuildWeightTable(CBilinearFilter(2), 0, 5, 0.0).Rows.empty());
    EXPECT_TRUE(BuildWeightTable(CBilinearFilter(2), -4, 5, -0.8).Rows.empty());

    // A width far beyond any line must not overflow the window arithmetic.
    const WeightTable huge = BuildWeightTable(CBoxFilter(1e300), 2, 5, 1.0);
    EXPECT_EQ(huge.Rows[1].Left, 0);
    EXPECT_EQ(huge.Rows[1].Right, 4);
    EXPECT_EQ(WeightsOf(huge, 1), (std::vector<double>(5, 0.2)));
}

}  // namespace
