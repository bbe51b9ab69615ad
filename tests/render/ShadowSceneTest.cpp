#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "render/ShadowScene.h"

namespace {

// An RGBA layer with a rectangular object whose opacity varies from texel to
// texel, so any misplaced or interpolated texel shows.
struct LayerFixture {
    int w, h;
    std::vector<uint8_t> in, out;
    HostBuffers host;
    RunGeometry geometry;

    LayerFixture(int width, int height, int x0, int y0, int x1, int y1)
        : w(width), h(height), in(size_t(width) * height * 4), out(in.size())
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                uint8_t* p = &in[(size_t(y) * w + x) * 4];
                p[0] = 200;
                p[1] = 100;
                p[2] = 50;
                p[3] = static_cast<uint8_t>(40 + (x * 7 + y * 13) % 215);
            }
        out = in;
        host = HostBuffers::Packed(w, h, 4, in.data(), out.data());
        EXPECT_EQ(ComputeRunGeometry(host, geometry), RunRefusal::None);
    }
    uint8_t Opacity(int x, int y) const { return in[(size_t(y) * w + x) * 4 + 3]; }
};

ShadowParams Neutral(ShadowPosition position)
{
    ShadowParams p = DefaultShadowParams();
    p.perspective = 100;
    p.zoom = 100;
    p.blur = 0;
    p.intensity = 100;
    p.color = 0x0000FF;  // red
    p.shadowPosition = static_cast<int32_t>(position);
    return p;
}

// Renders the shadow alone (no composite) the way a run without a dialog does.
void RenderOnly(CShadowScene& scene, const ShadowParams& p)
{
    scene.InitShadowRenderer();
    scene.BuildShadowTexture(p);
    scene.BuildShadowPlane();
    ASSERT_TRUE(scene.RenderFrame(true, p));
}

// Bounding box of the pixels the shadow touched.
PixelRect DrawnBox(const CDib& dib)
{
    PixelRect box{dib.GetWidth(), dib.GetHeight(), -1, -1};
    for (int y = 0; y < dib.GetHeight(); ++y)
        for (int x = 0; x < dib.GetWidth(); ++x)
            if (dib.Row(y)[x] >> 24) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

TEST(ShadowScene, NeutralGeometryCoversCropBoxTexelForTexel)
{
    struct Case {
        ShadowPosition position;
        int dx, dy;
    } cases[] = {{ShadowPosition::Top, 0, 0}, {ShadowPosition::Bottom, 0, 0}, {ShadowPosition::Center, 2, 1}};
    for (const Case& c : cases) {
        LayerFixture f(120, 90, 30, 25, 70, 52);  // odd and even sizes: 41 x 28
        CShadowScene scene(f.host, f.geometry);
        const ShadowParams p = Neutral(c.position);
        RenderOnly(scene, p);
        const RunGeometry& g = f.geometry;
        const int h = g.CropHeight();
        int mismatches = 0;
        for (int y = 0; y < f.h; ++y)
            for (int x = 0; x < f.w; ++x) {
                const int tx = x - c.dx - g.cropLeft, ty = y - c.dy - g.cropTop;
                ARGB expected = 0;
                if (tx >= 0 && ty >= 0 && tx < g.CropWidth() && ty < h) {
                    const uint32_t a = f.Opacity(x - c.dx, y - c.dy) * ShadowFadeFactor(ty, h, 100, c.position) / 255;
                    expected = a ? (a << 24 | 0xFF0000) : 0;
                }
                if (scene.m_dibRender.Row(y)[x] != expected && ++mismatches < 5)
                    ADD_FAILURE() << "position " << int(c.position) << " at (" << x << "," << y << "): "
                                  << std::hex << scene.m_dibRender.Row(y)[x] << " != " << expected;
            }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(ShadowScene, ZoomDoublesAboutCropCentre)
{
    LayerFixture f(300, 260, 120, 100, 179, 139);  // 60 x 40 object, crop 100 x 80
    CShadowScene scene(f.host, f.geometry);
    ShadowParams p = Neutral(ShadowPosition::Bottom);
    p.zoom = 200;
    RenderOnly(scene, p);
    const PixelRect box = DrawnBox(scene.m_dibRender);
    const double cx = (f.geometry.cropLeft + f.geometry.cropRight) * 0.5;
    const double cy = (f.geometry.cropTop + f.geometry.cropBottom) * 0.5;
    EXPECT_NEAR(box.right - box.left + 1, 120, 2);
    EXPECT_NEAR(box.bottom - box.top + 1, 80, 2);
    EXPECT_NEAR((box.left + box.right) * 0.5, cx, 2);
    EXPECT_NEAR((box.top + box.bottom) * 0.5, cy, 2);
}

TEST(ShadowScene, AngleYHingeSides)
{
    // The edge the plane turns about stays in place; the other edge moves.
    struct Case {
        ShadowPosition position;
        int angleY;
        bool leftStays;
    } cases[] = {
        {ShadowPosition::Bottom, 60, true},
        {ShadowPosition::Bottom, -60, false},
        {ShadowPosition::Top, 60, false},
        {ShadowPosition::Top, -60, true},
    };
    for (const Case& c : cases) {
        LayerFixture f(300, 200, 100, 60, 179, 119);
        CShadowScene flat(f.host, f.geometry), turned(f.host, f.geometry);
        ShadowParams p = Neutral(c.position);
        p.perspective = 80;
        RenderOnly(flat, p);
        p.angleY = c.angleY;
        RenderOnly(turned, p);
        const PixelRect a = DrawnBox(flat.m_dibRender), b = DrawnBox(turned.m_dibRender);
        const int leftMove = std::abs(a.left - b.left), rightMove = std::abs(a.right - b.right);
        SCOPED_TRACE(::testing::Message() << "position " << int(c.position) << " angleY " << c.angleY);
        EXPECT_LE(c.leftStays ? leftMove : rightMove, 1);
        EXPECT_GE(c.leftStays ? rightMove : leftMove, 10);
    }
}

TEST(ShadowScene, ConfirmingRenderReusesExactlyOnePreviewRender)
{
    LayerFixture f(160, 120, 50, 40, 99, 79);
    ShadowParams first = Neutral(ShadowPosition::Bottom);
    ShadowParams second = first;
    second.angleX = -60;

    // Render the expected frames of either parameter set on their own.
    auto frameOf = [&](const ShadowParams& p) {
        CShadowScene s(f.host, f.geometry);
        RenderOnly(s, p);
        return std::vector<ARGB>(s.m_dibRender.GetPixels(),
                                 s.m_dibRender.GetPixels() + s.m_dibRender.GetStride() * s.m_dibRender.GetHeight());
    };
    const std::vector<ARGB> frameFirst = frameOf(first), frameSecond = frameOf(second);
    ASSERT_NE(frameFirst, frameSecond);
    auto frameNow = [](const CShadowScene& s) {
        return std::vector<ARGB>(s.m_dibRender.GetPixels(),
                                 s.m_dibRender.GetPixels() + s.m_dibRender.GetStride() * s.m_dibRender.GetHeight());
    };

    CShadowScene once(f.host, f.geometry);
    once.InitShadowRenderer(200, 150);
    once.BuildShadowPlane();
    once.BuildShadowTexture(first);
    once.RenderShadow(false, first);
    EXPECT_EQ(once.m_nRenderPending, 0);
    once.RenderShadow(true, second);  // reuses the preview's frame
    EXPECT_EQ(frameNow(once), frameFirst);

    CShadowScene twice(f.host, f.geometry);
    twice.InitShadowRenderer(200, 150);
    twice.BuildShadowPlane();
    twice.BuildShadowTexture(first);
    twice.RenderShadow(false, first);
    twice.RenderShadow(false, first);
    EXPECT_EQ(twice.m_nRenderPending, -1);
    twice.RenderShadow(true, second);  // renders anew
    EXPECT_EQ(frameNow(twice), frameSecond);
}

// On a tall image the preview renders the part of the frame its view
// shows; panning adds what it uncovers (across, down, both, or a jump far
// away), and the final render draws the whole frame even right after a
// single preview render. Every pixel drawn has the bits of the whole-frame
// render.
TEST(ShadowScene, PreviewRendersThePartItShows)
{
    LayerFixture f(240, 900, 80, 200, 159, 599);
    ShadowParams p = Neutral(ShadowPosition::Bottom);
    p.angleX = -20;
    p.angleZ = 10;
    CShadowScene whole(f.host, f.geometry);
    RenderOnly(whole, p);
    auto partMatches = [&](const CShadowScene& s, const PixelRect& part) {
        for (int y = part.top; y < part.bottom; ++y)
            for (int x = part.left; x < part.right; ++x)
                if (s.m_dibRender.Row(y)[x] != whole.m_dibRender.Row(y)[x])
                    return ::testing::AssertionFailure() << "row " << y << " column " << x;
        return ::testing::AssertionSuccess();
    };
    auto drawnBox = [](const CShadowScene& s) {
        PixelRect box{s.m_dibRender.GetWidth(), s.m_dibRender.GetHeight(), 0, 0};
        for (int y = 0; y < s.m_dibRender.GetHeight(); ++y)
            for (int x = 0; x < s.m_dibRender.GetWidth(); ++x)
                if (s.m_dibRender.Row(y)[x] != 0)
                    box = PixelRect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                                    std::max(box.bottom, y + 1)};
        return box;
    };
    const PixelRect all = drawnBox(whole);
    ASSERT_GT(all.bottom - all.top, 300);
    ASSERT_GT(all.right - all.left, 150);

    CShadowScene scene(f.host, f.geometry);
    scene.InitShadowRenderer(120, 120);
    scene.BuildShadowPlane();
    scene.BuildShadowTexture(p);
    scene.RenderFrame(false, p);
    const PixelRect& view = scene.m_preview.m_rcView;
    EXPECT_TRUE(partMatches(scene, view));
    const PixelRect drawn = drawnBox(scene);
    EXPECT_GE(drawn.left, view.left);
    EXPECT_LE(drawn.right, view.right);
    EXPECT_GE(drawn.top, view.top);
    EXPECT_LE(drawn.bottom, view.bottom);
    EXPECT_FALSE(scene.CompleteViewRows());

    // Down, across, both at once, then clear of everything held.
    const int centres[][2] = {{120, 500}, {40, 500}, {190, 560}, {60, 60}};
    for (const auto& c : centres) {
        SCOPED_TRACE(::testing::Message() << c[0] << "," << c[1]);
        scene.m_preview.CentreOn(c[0], c[1]);
        scene.m_preview.ClampView();
        EXPECT_TRUE(scene.CompleteViewRows());
        EXPECT_TRUE(partMatches(scene, view));
    }
    EXPECT_EQ(scene.m_nRenderPending, 0);
    EXPECT_TRUE(scene.RenderFrame(true, p));
    EXPECT_TRUE(partMatches(scene, PixelRect{0, 0, f.w, f.h}));
}

TEST(ShadowScene, PreviewIsCentredOnTheObject)
{
    LayerFixture f(2000, 1500, 1500, 1200, 1599, 1299);
    CShadowScene scene(f.host, f.geometry);
    scene.InitShadowRenderer(420, 370);
    const PixelRect& v = scene.m_preview.m_rcView;
    EXPECT_EQ(v.right - v.left, 419);
    EXPECT_EQ((v.left + v.right) / 2, (1480 + 1619) / 2);
    EXPECT_EQ((v.top + v.bottom) / 2, (1180 + 1319) / 2);
    EXPECT_EQ(scene.m_dibView.GetWidth(), 419);
}

// Slider values out of range (the fuzzer's extremes overflowed the fade)
// give the picture of their clamped values, in the preview and the output.
TEST(ShadowScene, OutOfRangeValuesRenderAsTheirClampedValues)
{
    const int32_t kMin = INT32_MIN, kMax = INT32_MAX;
    ShadowParams wild = DefaultShadowParams();
    wild.transparency = kMin;
    wild.intensity = kMax;
    wild.angleY = kMax;
    wild.perspective = kMin;
    wild.posX = 4;  // in range, so the shadow stays on the small picture
    const auto render = [](const ShadowParams& p) {
        LayerFixture f(60, 50, 20, 15, 39, 34);
        CShadowScene scene(f.host, f.geometry);
        scene.InitShadowRenderer(40, 30);
        scene.BuildShadowTexture(p);
        scene.BuildShadowPlane();
        scene.RenderShadow(false, p);
        std::vector<ARGB> view(scene.m_dibView.GetPixels(),
                               scene.m_dibView.GetPixels() + scene.m_dibView.GetStride() * scene.m_dibView.GetHeight());
        scene.RenderShadow(true, p);
        return std::make_pair(view, f.out);
    };
    for (int32_t blur : {kMin, kMax}) {
        wild.blur = blur;
        const auto clamped = render(ClampShadowParams(wild));
        EXPECT_EQ(render(wild), clamped) << blur;
        EXPECT_NE(clamped.second, LayerFixture(60, 50, 20, 15, 39, 34).out) << "no shadow";
    }
}

}  // namespace
