// The face plans of PaintSkinFace: colour arithmetic, row colours of every
// style, ring blending and the face inset.
#include <gtest/gtest.h>

#include <vector>

#include "ui/skin/ShiftColor.h"
#include "ui/skin/SkinFacePlan.h"

namespace {

TEST(ShiftColor, ClampsEachChannelAndClearsTheTopByte)
{
    EXPECT_EQ(ShiftColor(0x00FF80FF, 16), 0x00FF90FFu);
    EXPECT_EQ(ShiftColor(0x12000000, 0), 0u);
    EXPECT_EQ(ShiftColor(0x00102030, -32), 0x00000010u);
    EXPECT_EQ(ShiftColor(0x00EAEAEA, 300), 0x00FFFFFFu);
    EXPECT_EQ(ShiftColor(0x00EAEAEA, INT32_MIN), 0u);
    EXPECT_EQ(ShiftColor(0x00000001, INT32_MAX), 0x00FFFFFFu);
}

// Channel-wise trunc(start * (1 - t) + end * t) with t = (y - b0) / L.
uint32_t Lerp(uint32_t from, uint32_t to, int y, int b0, int length)
{
    const double t = static_cast<double>(y - b0) / length;
    auto ch = [t](uint32_t s, uint32_t e) { return static_cast<uint32_t>(s * (1.0 - t) + e * t); };
    return MakeColor(ch(RedOf(from), RedOf(to)), ch(GreenOf(from), GreenOf(to)), ch(BlueOf(from), BlueOf(to)));
}

const uint32_t kC = 0x00806040;

TEST(SkinFaceRows, ChromeOfHeightOneIsTheLowerBandStart)
{
    std::vector<uint32_t> rows;
    ASSERT_TRUE(SkinFaceRows(kStyleChrome, kC, 1, rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], ShiftColor(kC, -24));
}

TEST(SkinFaceRows, ChromeIsAGlossyBar)
{
    std::vector<uint32_t> rows;
    ASSERT_TRUE(SkinFaceRows(kStyleChrome, kC, 10, rows));
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(rows[y], Lerp(ShiftColor(kC, 24), kC, y, 0, 5)) << "row " << y;
    for (int y = 5; y < 10; ++y)
        EXPECT_EQ(rows[y], Lerp(ShiftColor(kC, -24), kC, y, 5, 5)) << "row " << y;
}

TEST(SkinFaceRows, AquaOfOddHeight)
{
    std::vector<uint32_t> rows;
    ASSERT_TRUE(SkinFaceRows(kStyleAqua, kC, 7, rows));
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], ShiftColor(kC, 24));
    EXPECT_EQ(rows[1], kC);
    EXPECT_EQ(rows[2], kC);
    EXPECT_EQ(rows[3], kC);  // the middle row of an odd face
    EXPECT_EQ(rows[4], kC);
    EXPECT_EQ(rows[5], Lerp(kC, ShiftColor(kC, 16), 5, 4, 3));
    EXPECT_NE(rows[5], kC);
    EXPECT_EQ(rows[6], ShiftColor(kC, 24));
}

TEST(SkinFaceRows, FlatIsOneColourAndUnlistedStylesDrawNoFace)
{
    std::vector<uint32_t> rows;
    ASSERT_TRUE(SkinFaceRows(kStyleFlat, 0x55806040, 4, rows));
    EXPECT_EQ(rows, std::vector<uint32_t>(4, kC));
    for (int32_t style : {-1, 11, 12, 99, 101})
        EXPECT_FALSE(SkinFaceRows(style, kC, 4, rows)) << style;
}

TEST(SkinFaceRows, GradientStylesFollowTheirTable)
{
    // style, A, C, band-1 rows, D, B, band-2 first row, fill, for h = 24.
    struct Row {
        int style, a, c, band1, d, b, band2, fill;
    };
    const int h = 24;
    const Row table[] = {
        {1, 24, 0, h / 8, 0, -16, h - h / 8, 0},     {2, 32, 0, h / 6, 0, 32, h - h / 6, 0},
        {3, -16, 0, h / 6, 0, -24, h - h / 6, 0},    {4, 16, 0, h / 2, 0, -8, h - h / 2, 0},
        {5, -16, 0, h / 4, 0, 32, h - h / 4, 0},     {6, -8, 0, h / 2, 0, 16, h - h / 2, 0},
        {7, 0, -24, h / 6, -24, 24, h / 6, -24},     {8, 24, -24, h / 10, -24, 24, h / 10, -24},
        {9, 24, 0, h / 2, -24, 0, h / 2, 0},         {10, 0, 24, h / 3, -24, 0, h / 3, 24},
    };
    for (const Row& r : table) {
        std::vector<uint32_t> rows;
        ASSERT_TRUE(SkinFaceRows(r.style, kC, h, rows));
        for (int y = 0; y < h; ++y) {
            uint32_t expected = ShiftColor(kC, r.fill);
            if (y < r.band1)
                expected = Lerp(ShiftColor(kC, r.a), ShiftColor(kC, r.c), y, 0, r.band1);
            if (y >= r.band2)
                expected = Lerp(ShiftColor(kC, r.d), ShiftColor(kC, r.b), y, r.band2, h - r.band2);
            EXPECT_EQ(rows[y], expected) << "style " << r.style << " row " << y;
        }
    }
}

TEST(SkinFacePlan, InsetGivesBackOnePixelPerMissingRingFromTheInside)
{
    EXPECT_EQ(SkinFaceInset(kDefaultRingTable.rows[0]), 2);
    EXPECT_EQ(SkinFaceInset(kThumbRingTable.rows[0]), 1);
    EXPECT_EQ(SkinFaceInset(RingRow{{0, 0, 0, 0, 0, 0}}), 0);
    EXPECT_EQ(SkinFaceInset(RingRow{{-1, 0, -1, 0, 5, 0}}), 3);   // inner ring present
    EXPECT_EQ(SkinFaceInset(RingRow{{0, 0, -1, 0, 0, 0}}), 2);    // outer missing, middle present
    EXPECT_EQ(SkinFaceInset(RingRow{{-1, 0, 666, 0, 0, 0}}), 2);  // 666 hides a ring, yet is no gap
}

TEST(SkinFacePlan, RingsOfTheThreeStates)
{
    const uint32_t base = 0x00EAEAEA;
    const PixelRect rect{10, 20, 60, 40};
    const struct {
        int32_t state;
        int32_t outerTL, outerBR, middleTL, middleBR;
    } cases[] = {{kStateNormal, -16, -16, -64, -64}, {kStatePressed, -64, 48, -128, -128},
                 {-5, -16, -16, -64, -64}, {7, -64, 48, -128, -128}};
    for (const auto& c : cases) {
        const SkinFacePlan plan = PlanSkinFace(kDefaultRingTable, kStyleFlat, base, rect, kC, c.state, 0.7);
        EXPECT_TRUE(plan.ringDrawn[0] && plan.ringDrawn[1] && !plan.ringDrawn[2]);
        EXPECT_EQ(plan.rings[0].topLeft, ShiftColor(base, c.outerTL));
        EXPECT_EQ(plan.rings[0].bottomRight, ShiftColor(base, c.outerBR));
        EXPECT_EQ(plan.rings[1].topLeft, ShiftColor(kC, c.middleTL));
        EXPECT_EQ(plan.rings[1].bottomRight, ShiftColor(kC, c.middleBR));
        EXPECT_EQ(plan.rings[1].rect.left, 11);
        EXPECT_EQ(plan.face.left, 12);
        EXPECT_EQ(plan.face.bottom, 38);
    }
}

TEST(SkinFacePlan, HotBlendsTheNormalOffsetsTowardHot)
{
    // Middle ring: trunc(-64 * (1 - k) + -48 * k); k = 0.4 gives -57.6 -> -57.
    const SkinFacePlan plan =
        PlanSkinFace(kDefaultRingTable, kStyleAqua, 0x00EAEAEA, PixelRect{0, 0, 30, 20}, kC, kStateHot, 0.4);
    EXPECT_EQ(plan.rings[1].topLeft, ShiftColor(kC, -57));
    EXPECT_EQ(plan.rings[0].topLeft, ShiftColor(0x00EAEAEA, -16));
    const SkinFacePlan full =
        PlanSkinFace(kDefaultRingTable, kStyleAqua, 0x00EAEAEA, PixelRect{0, 0, 30, 20}, kC, kStateHot, 1.0);
    EXPECT_EQ(full.rings[1].topLeft, ShiftColor(kC, -48));
    // Whether a ring is drawn follows the Hot row itself, not the blend.
    RingTable table = kDefaultRingTable;
    table.rows[kStateHot].r[2] = 666;
    EXPECT_FALSE(PlanSkinFace(table, kStyleAqua, 0, PixelRect{0, 0, 30, 20}, kC, kStateHot, 0.5).ringDrawn[1]);
}

}  // namespace
