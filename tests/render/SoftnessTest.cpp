// Softness: the blur is sharp where the shadow meets its hinge and reaches
// the full radius at the far end. Measured on a tall bar standing on its
// hinge, rendered flat (perspective 100, no turn) so the shadow covers the
// crop box texel for texel and every row of the frame is a row of the
// texture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "Fnv1a.h"
#include "WorkerThreadCounts.h"
#include "render/ShadowScene.h"
#include "render/SoftBlur.h"

namespace {

const int kW = 200, kH = 500;
const int kBarLeft = 70, kBarRight = 129, kBarTop = 40, kBarBottom = 459;

struct BarLayer {
    std::vector<uint8_t> in, out;
    HostBuffers host;
    RunGeometry geometry;

    BarLayer() : in(size_t(kW) * kH * 4, 0)
    {
        for (int y = kBarTop; y <= kBarBottom; ++y)
            for (int x = kBarLeft; x <= kBarRight; ++x) {
                uint8_t* p = &in[(size_t(y) * kW + x) * 4];
                p[0] = 200, p[1] = 120, p[2] = 40, p[3] = 255;
            }
        out = in;
        host = HostBuffers::Packed(kW, kH, 4, in.data(), out.data());
        EXPECT_EQ(ComputeRunGeometry(host, geometry), RunRefusal::None);
    }
};

ShadowParams Flat(int softness, ShadowPosition position)
{
    ShadowParams p = DefaultShadowParams();
    p.blur = 60;  // a tent of radius 12
    p.perspective = 100;
    p.transparency = 0;
    p.shadowPosition = static_cast<int32_t>(position);
    p.softness = softness;
    return p;
}

// The rendered shadow (before compositing) of the bar.
std::vector<ARGB> RenderedShadow(const ShadowParams& p)
{
    BarLayer bar;
    CShadowScene scene(bar.host, bar.geometry);
    scene.InitShadowRenderer();
    scene.BuildShadowPlane();
    scene.BuildShadowTexture(p);
    scene.RenderFrame(true, p);
    std::vector<ARGB> frame;
    for (int y = 0; y < kH; ++y)
        frame.insert(frame.end(), scene.m_dibRender.Row(y), scene.m_dibRender.Row(y) + kW);
    return frame;
}

// Pixels of the bar's left edge whose alpha lies between 10 % and 90 % of
// the row's alpha in the bar's middle: the width of the blurred edge.
int EdgeWidth(const std::vector<ARGB>& frame, int y)
{
    const ARGB* row = &frame[size_t(y) * kW];
    const int plateau = int(row[(kBarLeft + kBarRight) / 2] >> 24);
    int n = 0;
    for (int x = 0; x < (kBarLeft + kBarRight) / 2; ++x) {
        const int a = int(row[x] >> 24);
        n += a * 10 > plateau && a * 10 < plateau * 9;
    }
    return n;
}

// Rows 60 pixels from either end of the bar: clear of the vertical blur's
// reach at the ends and of the fade of a bottom-hinged shadow's far tenth.
const int kNearBottom = kBarBottom - 60, kNearTop = kBarTop + 60;

TEST(Softness, EdgeWidthGrowsFromTheHingeToTheFarEnd)
{
    const int full = EdgeWidth(RenderedShadow(Flat(0, ShadowPosition::Bottom)), kNearBottom);
    ASSERT_GE(full, 11);  // a tent of radius 12 spreads a step over about 13 pixels
    ASSERT_LE(full, 15);
    const struct {
        int softness;
        ShadowPosition position;
    } cases[] = {
        {0, ShadowPosition::Bottom}, {50, ShadowPosition::Bottom}, {100, ShadowPosition::Bottom},
        {50, ShadowPosition::Top},   {100, ShadowPosition::Top},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "softness " << c.softness << " position " << int(c.position));
        const std::vector<ARGB> frame = RenderedShadow(Flat(c.softness, c.position));
        const bool bottom = c.position == ShadowPosition::Bottom;
        const int hinge = bottom ? kBarBottom : kBarTop;
        const int nearRow = bottom ? kNearBottom : kNearTop;
        const int farRow = bottom ? kNearTop : kNearBottom;
        // The edge is as wide as the radius asked for at that row: the blur
        // x (1 - softness) at the hinge, growing linearly to the whole blur
        // at the far end. The levels keep within half a level's step
        // (at most 1 pixel of radius) of it.
        for (int row : {nearRow, (nearRow + farRow) / 2, farRow}) {
            const double t = std::abs(row - hinge) / double(kBarBottom - kBarTop);
            const double expected = full * (1.0 - c.softness / 100.0 * (1.0 - t));
            EXPECT_NEAR(EdgeWidth(frame, row), expected, 2.5) << "row " << row << " t " << t;
        }
        // And it never narrows on the way out.
        int previous = 0;
        for (int i = 0; i <= 20; ++i) {
            const int y = nearRow + (farRow - nearRow) * i / 20;
            const int width = EdgeWidth(frame, y);
            EXPECT_GE(width, previous - 1) << "row " << y;
            previous = width;
        }
    }
}

TEST(Softness, SameBitsOnAnyNumberOfThreads)
{
    std::vector<ARGB> first;
    for (int threads : kThreadCounts) {
        CScopedWorkerThreads scoped(threads);
        const std::vector<ARGB> frame = RenderedShadow(Flat(70, ShadowPosition::Center));
        if (first.empty())
            first = frame;
        EXPECT_EQ(frame, first) << threads << " threads";
    }
}

}  // namespace

namespace {

// The soft blur mixes its levels in integer arithmetic from weights worked
// out in IEEE doubles: native, win32 and win64 must reach the same digest.
TEST(Softness, SameBytesOnEveryBuild)
{
    ShadowParams p = FindBuiltInPreset("Cast In Front 2")->params;
    p.softness = 45;
    p.blur = 33;
    const std::vector<ARGB> turned = RenderedShadow(p);
    const std::vector<ARGB> centred = RenderedShadow(Flat(70, ShadowPosition::Center));
    Fnv1a digest;
    for (ARGB c : turned)
        digest.Word32(c);
    for (ARGB c : centred)
        digest.Word32(c);
    EXPECT_EQ(digest.Value(), 0x3f2d92e61ba24dc9ull) << std::hex << digest.Value();
}

}  // namespace

namespace {

// The soft blur computes each level only for the rows that take it, in
// place where it can: it must give exactly what blurring the whole texture
// at every level and mixing each row by the plan gives.
std::vector<ARGB> ReferenceSoftBlur(const std::vector<ARGB>& source, int w, int h, double radius, int softness,
                                    SoftBlurSpan span)
{
    const SoftBlurPlan plan = PlanSoftBlur(h, radius, softness, span);
    std::vector<std::vector<ARGB>> levels;
    for (double r : plan.radii) {
        std::vector<ARGB> level = source;
        std::vector<ARGB*> rows;
        for (int y = 0; y < h; ++y)
            rows.push_back(level.data() + size_t(y) * w);
        FilterInPlace(rows.data(), w, h, r, 0, kStretchBilinear);
        levels.push_back(level);
    }
    std::vector<ARGB> out(source.size());
    for (int y = 0; y < h; ++y) {
        const int lower = plan.level[size_t(y)], upper = plan.upper[size_t(y)];
        ARGB* row = out.data() + size_t(y) * w;
        std::copy(levels[size_t(lower)].begin() + y * w, levels[size_t(lower)].begin() + (y + 1) * w, row);
        if (upper > 0)
            MixSoftBlurRow(row, levels[size_t(lower + 1)].data() + size_t(y) * w, w, upper);
    }
    return out;
}

TEST(Softness, LevelsComputedOnlyWhereNeededMatchWholeLevels)
{
    const int w = 37, h = 151;
    std::vector<ARGB> source(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool inside = x > 6 && x < 30 && y > 10 && y < 140 && (x + y) % 11 != 0;
            source[size_t(y) * w + x] = 0x336699u | uint32_t(inside ? 80 + (x * 7 + y * 3) % 176 : 0) << 24;
        }
    const struct {
        double radius;
        int softness;
        SoftBlurSpan span;
    } cases[] = {
        {14, 10, {139, 11}}, {14, 50, {139, 11}}, {14, 100, {139, 11}}, {24, 100, {11, 139}},
        {6.6, 70, {75, 11}},  // centred: two runs per level
        {24, 40, {75, 70}},   // a short object: levels reached on both sides of the hinge
        {2, 100, {139, 11}}, {24, 100, {150, 150}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "radius " << c.radius << " softness " << c.softness << " hinge "
                                        << c.span.hingeRow << " far " << c.span.farRow);
        std::vector<ARGB> pixels = source;
        std::vector<ARGB*> rows;
        for (int y = 0; y < h; ++y)
            rows.push_back(pixels.data() + size_t(y) * w);
        SoftBlurInPlace(rows.data(), w, h, c.radius, c.softness, c.span);
        EXPECT_EQ(pixels, ReferenceSoftBlur(source, w, h, c.radius, c.softness, c.span));
    }
}

}  // namespace
