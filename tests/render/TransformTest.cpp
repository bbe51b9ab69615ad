#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

#include "SceneHelpers.h"
#include "render/Render3D.h"

namespace {

using scene::Node;

bool SameBits(const Matrix3D& a, const Matrix3D& b) { return std::memcmp(a.m, b.m, sizeof a.m) == 0; }

class TransformTest : public ::testing::Test {
protected:
    void SetUp() override { engine.Init(frame.width, frame.height, frame.pixels.data(), frame.stride, nullptr); }

    // Projects one node through an object translated by (tx, ty, tz).
    CNode3D Project(CNode3D node, double tx, double ty, double tz)
    {
        const int32_t o = engine.AddObject(0, 0);
        engine.AddNode(o, node);
        engine.TranslateObject(o, tx, ty, tz);
        engine.Render();
        return engine.Object(o).nodes[0];
    }

    scene::Frame frame{100, 80};
    CRender3D engine;
};

TEST(MultiplyMatrix, WritesFourthRowAndIgnoresThatOfA)
{
    Matrix3D a, b;
    for (int i = 0; i < 16; ++i) {
        a.m[i] = i + 1;
        b.m[i] = 2 * i - 5;
    }
    a.m[12] = 1, a.m[13] = 2, a.m[14] = 3, a.m[15] = 4;
    const Matrix3D r = MultiplyMatrix(a, b);
    EXPECT_EQ(r.m[12], 0);
    EXPECT_EQ(r.m[13], 0);
    EXPECT_EQ(r.m[14], 0);
    EXPECT_EQ(r.m[15], 1);
    // Row 1, column 2: 5*(-1) + 6*7 + 7*15 + 8*23 = 326; B's fourth row is used.
    EXPECT_EQ(r.m[6], 326);
    a.m[12] = 0, a.m[13] = 0, a.m[14] = 0, a.m[15] = 1;
    EXPECT_TRUE(SameBits(MultiplyMatrix(a, b), r));
}

TEST_F(TransformTest, RotationUsesWholeDegreeTableEntries)
{
    EXPECT_TRUE(SameBits(engine.BuildRotation(0, 0, 0), IdentityMatrix()));
    EXPECT_TRUE(SameBits(engine.BuildRotation(0.9, -0.9, 0.5), IdentityMatrix()));

    struct Case {
        double ax, ay, az;
        int index;
    };
    const Case cases[] = {
        {90.7, 0, 0, 90},  {-90.7, 0, 0, 270}, {-1439.5, 0, 0, 1},  {0, 45.99, 0, 45},
        {0, -719, 0, 1},   {0, 0, -90, 270},   {0, 0, 359.9, 359},  {0, 0, 360, 0},
    };
    for (const Case& c : cases) {
        const Matrix3D r = engine.BuildRotation(c.ax, c.ay, c.az);
        const double s = engine.Sine(c.index), co = engine.Cosine(c.index);
        // Where the sine and cosine sit for each axis.
        const int at[3][4] = {{5, 6, 9, 10}, {0, 2, 8, 10}, {0, 1, 4, 5}};
        const int axis = c.ax != 0 ? 0 : c.ay != 0 ? 1 : 2;
        EXPECT_EQ(r.m[at[axis][0]], co) << c.ax << " " << c.ay << " " << c.az;
        EXPECT_EQ(r.m[at[axis][1]], s) << c.ax << " " << c.ay << " " << c.az;
        EXPECT_EQ(r.m[at[axis][2]], -s) << c.ax << " " << c.ay << " " << c.az;
        EXPECT_EQ(r.m[at[axis][3]], co) << c.ax << " " << c.ay << " " << c.az;
    }
    EXPECT_TRUE(SameBits(engine.BuildRotation(0, 0, -90), engine.BuildRotation(0, 0, 270)));
}

TEST_F(TransformTest, RotationTurnsAboutXThenYThenZ)
{
    const Matrix3D rx = engine.BuildRotation(30, 0, 0);
    const Matrix3D ry = engine.BuildRotation(0, 40, 0);
    const Matrix3D rz = engine.BuildRotation(0, 0, 50);
    EXPECT_TRUE(SameBits(engine.BuildRotation(30, 40, 50), MultiplyMatrix(rz, MultiplyMatrix(ry, rx))));
    EXPECT_FALSE(SameBits(engine.BuildRotation(30, 40, 50), MultiplyMatrix(rx, MultiplyMatrix(ry, rz))));
}

TEST_F(TransformTest, TransformsApplyInTheOrderGiven)
{
    const int32_t o = engine.AddObject(0, 0);
    engine.TranslateObject(o, 10, 0, 0);
    engine.RotateObject(o, 0, 0, 90);
    Matrix3D t = IdentityMatrix();
    t.m[3] = 10;
    EXPECT_TRUE(SameBits(engine.Object(o).model, MultiplyMatrix(engine.BuildRotation(0, 0, 90), t)));
    // The origin is moved first, then turned a quarter about z: it ends up
    // near (0, -10, 0).
    EXPECT_NEAR(engine.Object(o).model.m[3], 0, 1e-6);
    EXPECT_NEAR(engine.Object(o).model.m[7], -10, 1e-6);
}

TEST_F(TransformTest, ProjectionWorkedExamples)
{
    engine.m_dFocal = 200;
    engine.m_dCenterX = 50;
    engine.m_dCenterY = 40;
    CNode3D n = Project(Node(10, 0, 0), 0, 0, 100);
    EXPECT_EQ(n.sx, 70);
    EXPECT_EQ(n.sy, 40);
    EXPECT_EQ(n.depth, 100);

    // Nearer than depth 1: projected as if at 1, and 1 is what is stored.
    n = Project(Node(10, 0, 0), 0, 0, 0.5);
    EXPECT_EQ(n.sx, 2050);
    EXPECT_EQ(n.depth, 1.0);
    n = Project(Node(10, 0, 0), 0, 0, -30);
    EXPECT_EQ(n.sx, 2050);
    EXPECT_EQ(n.depth, 1.0);

    // Rounding truncates toward zero: -3.7 + 0.5 gives -3, not -4.
    engine.m_dFocal = 100;
    engine.m_dCenterX = 0;
    engine.m_dCenterY = 0;
    n = Project(Node(-3.7, -0.6, 0), 0, 0, 100);
    EXPECT_EQ(n.sx, -3);
    EXPECT_EQ(n.sy, 0);
}

TEST_F(TransformTest, NormalsAreUnitAndTransformedWithTheTranslation)
{
    CNode3D node = Node(0, 0, 0);
    node.nx = 3, node.ny = 0, node.nz = 4;
    const int32_t o = engine.AddObject(0, 0);
    engine.AddNode(o, node);
    EXPECT_DOUBLE_EQ(engine.Object(o).nodes[0].nx, 0.6);
    EXPECT_DOUBLE_EQ(engine.Object(o).nodes[0].nz, 0.8);

    // The normal goes through the whole matrix like a point: (0.6, 0, 0.8)
    // moved by (0, 0.6, 2.2) is (0.6, 0.6, 3), then made unit length.
    engine.TranslateObject(o, 0, 0.6, 2.2);
    engine.Render();
    const CNode3D& n = engine.Object(o).nodes[0];
    const double len = std::sqrt(0.36 + 0.36 + 9.0);
    EXPECT_NEAR(n.tnx, 0.6 / len, 1e-15);
    EXPECT_NEAR(n.tny, 0.6 / len, 1e-15);
    EXPECT_NEAR(n.tnz, 3.0 / len, 1e-15);
}

TEST_F(TransformTest, RectNormalFollowsCornerOrder)
{
    const int32_t o = engine.AddObject(9, 0);
    engine.AddNode(o, Node(0, 0, 0));
    engine.AddNode(o, Node(0, 1, 0));
    engine.AddNode(o, Node(1, 0, 0));
    engine.AddRect(o, 0, 1, 2, 3);  // the fourth corner is checked only when drawn
    engine.AddRect(o, 0, 2, 1, 3);
    const CRect3D& a = engine.Object(o).rects[0];
    const CRect3D& b = engine.Object(o).rects[1];
    EXPECT_EQ(a.nx, 0);
    EXPECT_EQ(a.ny, 0);
    EXPECT_EQ(a.nz, 1);
    EXPECT_EQ(b.nz, -1);
    EXPECT_EQ(a.corner[3], 3);
}

TEST_F(TransformTest, TextureCopiesRowsFromAStridedSource)
{
    std::vector<ARGB> source(8 * 3);
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = ARGB(i);
    engine.AddTexture(5, 3, source.data(), 8);
    const CTexture3D& t = engine.Texture(0);
    ASSERT_EQ(t.width, 5);
    ASSERT_EQ(t.height, 3);
    const std::vector<ARGB> expected = {0, 1, 2, 3, 4, 8, 9, 10, 11, 12, 16, 17, 18, 19, 20};
    EXPECT_EQ(std::vector<ARGB>(t.pixels.begin(), t.pixels.end()), expected);
}

TEST_F(TransformTest, BadIndicesThrowAndLeaveTheSceneAlone)
{
    const int32_t o = scene::AddPlane(engine, 9, 10, 10);
    engine.AddRect(o, 0, 1, 2, 3);
    const Matrix3D model = engine.Object(o).model;

    EXPECT_THROW(engine.AddNode(1, Node(0, 0, 0)), std::invalid_argument);
    EXPECT_THROW(engine.AddNode(-1, Node(0, 0, 0)), std::invalid_argument);
    EXPECT_THROW(engine.AddRect(o, 0, 1, 4, 3), std::invalid_argument);
    EXPECT_THROW(engine.AddRect(o, -1, 1, 2, 3), std::invalid_argument);
    EXPECT_THROW(engine.RotateObject(1, 10, 0, 0), std::invalid_argument);
    EXPECT_THROW(engine.TranslateObject(-1, 1, 2, 3), std::invalid_argument);
    EXPECT_THROW(engine.RemoveObject(-1), std::invalid_argument);
    EXPECT_THROW(engine.RemoveTexture(-1), std::invalid_argument);
    EXPECT_THROW(engine.Object(1), std::invalid_argument);
    EXPECT_THROW(engine.Texture(0), std::invalid_argument);

    EXPECT_EQ(engine.GetObjectCount(), 1);
    EXPECT_EQ(engine.Object(o).nodes.GetCount(), 4);
    EXPECT_EQ(engine.Object(o).rects.GetCount(), 1);
    EXPECT_TRUE(SameBits(engine.Object(o).model, model));

    // Past the end, removal is silently nothing.
    engine.RemoveTexture(0);
    engine.RemoveObject(1);
    EXPECT_EQ(engine.GetObjectCount(), 1);
    EXPECT_EQ(engine.GetTextureCount(), 0);
}

TEST_F(TransformTest, RemovalMovesLaterEntriesDown)
{
    engine.AddObject(1, 0x11);
    engine.AddObject(2, 0x22);
    engine.AddObject(3, 0x33);
    engine.RemoveObject(1);
    ASSERT_EQ(engine.GetObjectCount(), 2);
    EXPECT_EQ(engine.Object(1).mode, 3);

    const ARGB a = 0xFF0000AA, b = 0xFF0000BB;
    engine.AddTexture(1, 1, &a, 1);
    engine.AddTexture(1, 1, &b, 1);
    engine.RemoveTexture(0);
    ASSERT_EQ(engine.GetTextureCount(), 1);
    EXPECT_EQ(engine.Texture(0).pixels[0], b);
}

TEST_F(TransformTest, TextureTooLargeForThirtyTwoBitsIsOutOfMemory)
{
    const ARGB dummy = 0;
    EXPECT_THROW(engine.AddTexture(65536, 16384, &dummy, 0), std::bad_alloc);
    EXPECT_THROW(engine.AddTexture(-1, 4, &dummy, 0), std::bad_alloc);
    EXPECT_EQ(engine.GetTextureCount(), 0);
}

}  // namespace
