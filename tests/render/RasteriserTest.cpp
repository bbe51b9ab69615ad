#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SceneHelpers.h"
#include "render/LerpArgb.h"
#include "render/Render3D.h"
#include "render/TexturedQuad.h"
#include "render/TruncToInt.h"

namespace {

const ARGB kWhite = 0xFFFFFFFF;

CTexture3D MakeTexture(int32_t w, int32_t h, std::vector<ARGB> texels)
{
    return CTexture3D{w, h, LargeVector<ARGB>(texels.begin(), texels.end())};
}

// A span at constant depth 8 sampling texel (u, v); 1/8 keeps u and v exact.
void Span(scene::Frame& f, int32_t y, double x0, double x1, const CTexture3D& t, double u = 0, double v = 0)
{
    f.pixels.assign(f.pixels.size(), 0);
    DrawTexturedSpan(f.Target(), y, {x0, 0.125, u * 0.125, v * 0.125}, {x1, 0.125, u * 0.125, v * 0.125}, t);
}

// Columns drawn in row y, as [first, last]; {-1, -1} when none.
std::pair<int, int> DrawnColumns(const scene::Frame& f, int32_t y)
{
    int first = -1, last = -1;
    for (int x = 0; x < f.width; ++x)
        if (f.At(x, y) != 0) {
            if (first < 0)
                first = x;
            last = x;
        }
    return {first, last};
}

TEST(TexturedSpan, EndsRoundAndClipToTheFrame)
{
    const CTexture3D t = MakeTexture(1, 1, {kWhite});
    struct Case {
        double x0, x1;
        int first, last;
    };
    const Case cases[] = {
        {2.4, 7.6, 2, 8},      // both ends rounded, the last one included
        {7.6, 2.4, 2, 8},      // ends given the other way round
        {2.4, 2.6, 2, 3},
        {2.4, 2.45, -1, -1},   // both ends round to one pixel
        {-5.2, 0.4, 0, 0},     // reaches pixel 0 exactly
        {-9.7, -1.6, -1, -1},  // wholly left of the frame: no stray pixel in column 0
        {-9.7, -0.6, 0, 0},    // -0.1 truncates toward zero, to pixel 0
        {-3e9, -2e9, -1, -1},
        {10.5, 13.0, -1, -1},  // wholly right: no stray pixel in the last column
        {9.2, 30.0, 9, 9},
        {-4.0, 40.0, 0, 9},
    };
    scene::Frame f(10, 3);
    for (const Case& c : cases) {
        Span(f, 1, c.x0, c.x1, t);
        EXPECT_EQ(DrawnColumns(f, 1), std::make_pair(c.first, c.last)) << c.x0 << " .. " << c.x1;
        EXPECT_EQ(DrawnColumns(f, 0).first, -1);
        EXPECT_EQ(DrawnColumns(f, 2).first, -1);
    }
    for (int32_t y : {-1, 3}) {
        Span(f, y, 0, 9, t);
        EXPECT_EQ(f.CountDrawn(), 0);
    }
}

TEST(TexturedSpan, NearCutEndsTheSpan)
{
    const CTexture3D t = MakeTexture(1, 1, {kWhite});
    scene::Frame f(12, 1);
    // Depth 4 to 20: the first pixel is already too near, and the far part
    // is not reached.
    f.pixels.assign(f.pixels.size(), 0);
    DrawTexturedSpan(f.Target(), 0, {0, 1.0 / 4, 0, 0}, {10, 1.0 / 20, 0, 0}, t);
    EXPECT_EQ(f.CountDrawn(), 0);
    // 1/z from 0.05 to 0.25 steps 0.02 a pixel: pixel 6 is at depth 5.88 and
    // drawn, pixel 7 at 5.26 ends the span.
    f.pixels.assign(f.pixels.size(), 0);
    DrawTexturedSpan(f.Target(), 0, {0, 0.05, 0, 0}, {10, 0.25, 0, 0}, t);
    EXPECT_EQ(DrawnColumns(f, 0), std::make_pair(0, 6));
}

TEST(TexturedSpan, NearCutThresholdMatchesTheRoundedDepthRule)
{
    // The span tests 1/z against one precomputed value instead of dividing;
    // it must agree with trunc(1 / iz + 0.5) > 5 everywhere.
    const double t = NearCutIz();
    auto drawn = [](double iz) { return TruncToInt(1 / iz + 0.5) > 5; };
    double iz = t;
    for (int i = 0; i < 2000; ++i)
        iz = std::nextafter(iz, 0.0);
    for (int i = 0; i < 4000; ++i, iz = std::nextafter(iz, 1.0))
        ASSERT_EQ(iz > 0 && iz < t, drawn(iz)) << iz;
    for (double z = 0.5; z < 50; z += 0.001)
        ASSERT_EQ(1 / z > 0 && 1 / z < t, drawn(1 / z)) << z;
}

TEST(TexturedSpan, SamplesClampAtTheLastColumnAndRow)
{
    const ARGB a = 0xFF000010, b = 0xFF000020, c = 0xFF000030;
    const ARGB d = 0xFF001000, e = 0xFF002000, g = 0xFF003000;
    // Two rows of three; the vector holds exactly these texels, so a read
    // beyond the last column or row is caught by the sanitizer build.
    const CTexture3D t = MakeTexture(3, 2, {a, b, c, d, e, g});
    scene::Frame f(4, 1);
    struct Case {
        double u, v;
        ARGB expected;
    };
    const Case cases[] = {
        {2.0, 0.0, c},   // the last column is used twice
        {7.0, 0.0, c},   // beyond it: lowered to the last column
        {-3.0, 0.0, a},  // before the first: raised to 0
        {2.0, 1.0, g},   // last column of the last row
        {2.0, 9.0, g},
        {1.5, 0.0, LerpArgb(b, c, 0.5)},
        {0.0, 0.25, LerpArgb(LerpArgb(a, b, 1.0), LerpArgb(d, e, 1.0), 0.75)},
    };
    for (const Case& k : cases) {
        Span(f, 0, 0.0, 1.0, t, k.u, k.v);
        EXPECT_EQ(f.At(0, 0), k.expected) << k.u << " " << k.v;
    }
}

TEST(TexturedQuad, DegenerateQuadsDrawNothing)
{
    const CTexture3D t = MakeTexture(1, 1, {kWhite});
    scene::Frame f(20, 20);
    struct Case {
        int sx[4], sy[4];
    };
    const Case cases[] = {
        {{2, 8, 15, 4}, {5, 5, 5, 5}},    // all four corners on one row
        {{3, 3, 3, 3}, {2, 6, 12, 16}},   // all four in one column
        {{3, 3, 12, 12}, {4, 9, 9, 4}},   // running the other way round on screen
    };
    for (const Case& c : cases) {
        f.pixels.assign(f.pixels.size(), 0);
        QuadCorner3D q[4];
        for (int k = 0; k < 4; ++k)
            q[k] = {c.sx[k], c.sy[k], 10, 0, 0};
        DrawTexturedQuad(f.Target(), q, t);
        EXPECT_EQ(f.CountDrawn(), 0) << c.sx[0] << "," << c.sy[0];
    }
}

TEST(TexturedQuad, AxisAlignedSquareCoversItsRows)
{
    const CTexture3D t = MakeTexture(1, 1, {kWhite});
    scene::Frame f(20, 20);
    f.pixels.assign(f.pixels.size(), 0);
    // Clockwise on screen with a horizontal top edge: whichever corner the
    // list starts at, the tie-break picks the edge's right end and the
    // backward walk finds its left end.
    for (int start = 0; start < 4; ++start) {
        const int sx[4] = {3, 12, 12, 3}, sy[4] = {4, 4, 9, 9};
        QuadCorner3D q[4];
        for (int k = 0; k < 4; ++k)
            q[k] = {sx[(start + k) % 4], sy[(start + k) % 4], 10, 0, 0};
        f.pixels.assign(f.pixels.size(), 0);
        DrawTexturedQuad(f.Target(), q, t);
        // Rows 4 ... 9 (the bottom edge ends the walk after its row), columns
        // 3 ... 12.
        for (int y = 0; y < 20; ++y) {
            const auto cols = DrawnColumns(f, y);
            if (y >= 4 && y <= 9)
                EXPECT_EQ(cols, std::make_pair(3, 12)) << "start " << start << " row " << y;
            else
                EXPECT_EQ(cols.first, -1) << "start " << start << " row " << y;
        }
    }
}

// The shadow plane is added twice, with opposite corner orders, so that it
// shows from both sides; only the copy running clockwise on screen draws.
TEST(TexturedQuad, ExactlyOneOfTwoOppositeCopiesDraws)
{
    struct Turn {
        double ax, ay, az;
        bool edgeOn;
    };
    const Turn turns[] = {
        {0, 0, 0, false},   {30, 0, 0, false},  {0, 150, 0, false}, {60, -40, 25, false},
        {170, 20, 80, false}, {-75, 10, -140, false}, {0, 90, 0, true}, {90, 0, 0, true},
    };
    for (const Turn& turn : turns) {
        int drawn[2];
        for (int order = 0; order < 2; ++order) {
            scene::Frame f(160, 120);
            CRender3D engine;
            engine.Init(f.width, f.height, f.pixels.data(), f.stride, nullptr);
            engine.m_dFocal = 200;
            const int32_t o = scene::AddPlane(engine, 9, 60, 40);
            if (order == 0)
                engine.AddRect(o, 0, 1, 2, 3);
            else
                engine.AddRect(o, 3, 2, 1, 0);
            scene::AddUniformTexture(engine, 0xFF808080);
            engine.RotateObject(o, turn.ax, turn.ay, turn.az);
            engine.TranslateObject(o, 0, 0, 300);
            engine.Render();
            drawn[order] = f.CountDrawn();
        }
        if (turn.edgeOn) {
            EXPECT_EQ(drawn[0], 0) << turn.ax << " " << turn.ay;
            EXPECT_EQ(drawn[1], 0) << turn.ax << " " << turn.ay;
        } else {
            EXPECT_EQ((drawn[0] > 0) + (drawn[1] > 0), 1) << turn.ax << " " << turn.ay << " " << turn.az;
        }
    }
}

TEST(TexturedQuad, LaterFacesBlendOverEarlierOnes)
{
    const ARGB red = 0x80FF0000, blue = 0x800000FF;
    for (int swap = 0; swap < 2; ++swap) {
        scene::Frame f(40, 40);
        CRender3D engine;
        engine.Init(f.width, f.height, f.pixels.data(), f.stride, nullptr);
        engine.m_dFocal = 100;
        scene::AddUniformTexture(engine, red);
        scene::AddUniformTexture(engine, blue);
        // Objects are drawn from the last to the first, so object 0 lies on
        // top wherever they overlap.
        for (int i = 0; i < 2; ++i) {
            const int32_t o = scene::AddPlane(engine, 9, 20, 20);
            engine.AddRect(o, 0, 1, 2, 3);
            engine.Object(o).texture = i ^ swap;
            engine.TranslateObject(o, i == 0 ? -4 : 4, 0, 100);
        }
        engine.Render();
        const ARGB tex0 = swap ? blue : red, tex1 = swap ? red : blue;
        EXPECT_EQ(f.At(20, 20), BlendArgb(BlendArgb(0, tex1), tex0));
        EXPECT_EQ(f.At(7, 20), tex0);   // object 0 alone
        EXPECT_EQ(f.At(32, 20), tex1);  // object 1 alone
    }
    // Within one object the faces also go from the last to the first.
    scene::Frame f(40, 40);
    CRender3D engine;
    engine.Init(f.width, f.height, f.pixels.data(), f.stride, nullptr);
    engine.m_dFocal = 100;
    scene::AddUniformTexture(engine, red);
    const int32_t o = scene::AddPlane(engine, 9, 20, 20);
    engine.AddRect(o, 0, 1, 2, 3);
    engine.AddRect(o, 0, 1, 2, 3);
    engine.TranslateObject(o, 0, 0, 100);
    engine.Render();
    EXPECT_EQ(f.At(20, 20), BlendArgb(red, red));
}

TEST(Render, BadCornerOrTextureThrows)
{
    scene::Frame f(40, 40);
    CRender3D engine;
    engine.Init(f.width, f.height, f.pixels.data(), f.stride, nullptr);
    const int32_t o = scene::AddPlane(engine, 9, 20, 20);
    engine.AddRect(o, 0, 1, 2, 3);
    engine.TranslateObject(o, 0, 0, 100);
    EXPECT_THROW(engine.Render(), std::invalid_argument);  // no texture 0
    scene::AddUniformTexture(engine, kWhite);
    engine.Render();
    engine.AddRect(o, 0, 1, 2, 4);
    EXPECT_THROW(engine.Render(), std::invalid_argument);
}

TEST(Render, ClearsTheWholeStrideToTheBackground)
{
    for (ARGB background : {0x00000000u, 0x7F7F7F7Fu, 0x11223344u}) {
        scene::Frame f(7, 5, 3);
        CRender3D engine;
        engine.Init(f.width, f.height, f.pixels.data(), f.stride, nullptr);
        EXPECT_EQ(f.pixels, std::vector<ARGB>(f.pixels.size(), 0));
        engine.m_dwBackground = background;
        engine.Render();
        EXPECT_EQ(f.pixels, std::vector<ARGB>(f.pixels.size(), background)) << std::hex << background;
    }
}

TEST(Render, ModesOtherThanTexturedQuadDrawNothing)
{
    for (int32_t mode = 1; mode <= 8; ++mode) {
        scene::Frame f(40, 40);
        CRender3D engine;
        engine.Init(f.width, f.height, f.pixels.data(), f.stride, nullptr);
        scene::AddUniformTexture(engine, kWhite);
        const int32_t o = scene::AddPlane(engine, mode, 20, 20);
        engine.AddRect(o, 0, 1, 2, 3);
        engine.TranslateObject(o, 0, 0, 100);
        engine.m_dFocal = 100;
        engine.Render();
        EXPECT_EQ(f.CountDrawn(), 0) << mode;
    }
}

}  // namespace
