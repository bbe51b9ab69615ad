// Sizes on dense displays: the rounding of scaled sizes, and the frame's
// zones, the slider, the faces and the main dialog's placement at 120, 144
// and 192 DPI, each checked against what the 96-DPI rules give.
#include <gtest/gtest.h>

#include "PixelRectCompare.h"
#include "ui/controls/SliderGeometry.h"
#include "ui/dialogs/MainPlacement.h"
#include "ui/skin/DpiScale.h"
#include "ui/skin/FrameZones.h"
#include "ui/skin/SkinFacePlan.h"

namespace {

TEST(DpiScale, SizesRoundHalfAwayFromZeroAndLinesStayWhole)
{
    const struct {
        int dpi, size96, px, line, back96;
    } cases[] = {
        {96, 10, 10, 1, 10},  {120, 10, 13, 1, 10}, {144, 5, 8, 1, 5},  {192, 5, 10, 2, 5},
        {120, 1, 1, 1, 1},    {144, 1, 2, 1, 1},    {192, 905, 1810, 2, 905}, {144, -6, -9, 1, -6},
        {0, 36, 36, 1, 36},   // no density reported: 96
        {72, 1, 1, 1, 1},     // never below one pixel
    };
    for (const auto& c : cases) {
        const CDpiScale scale(c.dpi);
        EXPECT_EQ(scale.Px(c.size96), c.px) << c.dpi << " " << c.size96;
        EXPECT_EQ(scale.Line(), c.line) << c.dpi;
        EXPECT_EQ(scale.To96(scale.Px(c.size96)), c.back96) << c.dpi << " " << c.size96;
    }
    // A window moved from 144 to 96 DPI and back keeps its width.
    EXPECT_EQ(RescaleBetweenDpis(1358, 144, 96), 905);
    EXPECT_EQ(RescaleBetweenDpis(905, 96, 144), 1358);
    EXPECT_EQ(RescaleBetweenDpis(77, 0, 144), 77);
}

TEST(DpiScale, FrameZonesGrowWithTheDensity)
{
    const int w = 400, h = 300;
    const struct {
        int dpi, x, y;
        FrameHit hit;
    } cases[] = {
        // The 6-pixel left band is 12 at 192 DPI, 9 at 144.
        {192, 11, 150, kHitLeft},        {192, 12, 150, kHitNone},       {144, 8, 150, kHitLeft},
        {144, 9, 150, kHitNone},
        // The 10-pixel corner is 20 at 192.
        {192, w - 19, h - 19, kHitBottomRight}, {192, w - 20, h - 9, kHitBottom},
        {192, w - 9, 150, kHitRight},    {192, w - 10, 150, kHitNone},   {192, 200, 11, kHitTop},
        {120, 7, 150, kHitLeft},         {120, 8, 150, kHitNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FrameResizeHit(c.x, c.y, w, h, CDpiScale(c.dpi)), c.hit) << c.dpi << ": " << c.x << "," << c.y;
    EXPECT_EQ(FrameCursorAt(3, 3, w, h, false, CDpiScale(192)), kCursorSizeNWSE);
    EXPECT_EQ(FrameCursorAt(3, 3, w, h, false, CDpiScale(96)), kCursorSizeWE);
    EXPECT_EQ(FrameCursorAt(7, 150, w, h, false, CDpiScale(192)), kCursorSizeWE);
}

TEST(DpiScale, SliderInsideAWiderFrame)
{
    // The gallery's slider at 192 DPI: 40-pixel arrows, a 72-pixel thumb in
    // a two-pixel frame, on a client 320 x 40.
    SliderMetrics m{PixelRect{0, 0, 320, 40}, 40, 72, 0, 100, 0, 10, 2};
    EXPECT_EQ(SliderThumbRect(m), (PixelRect{42, 2, 114, 38}));  // right after the left arrow
    m.pos = 100;
    EXPECT_EQ(SliderThumbRect(m), (PixelRect{206, 2, 278, 38}));  // right before the right arrow
    EXPECT_EQ(SliderStepAt(m, 39), -1);
    EXPECT_EQ(SliderStepAt(m, 281), 1);
    EXPECT_EQ(SliderStepAt(m, 150), -10);
}

TEST(DpiScale, FaceRingsAndGlossThickenWithTheLine)
{
    // A caption face at 192 DPI: two-pixel rings, the face inside them.
    const PixelRect rect{0, 0, 100, 40};
    const SkinFacePlan plan = PlanSkinFace(kDefaultRingTable, kStyleAqua, 0x00EAEAEA, rect, 0x00808080, 0, 0.0, 2);
    EXPECT_EQ(plan.face, (PixelRect{4, 4, 96, 36}));
    EXPECT_EQ(plan.rings[0].rect, rect);
    EXPECT_EQ(plan.rings[1].rect, (PixelRect{2, 2, 98, 38}));
    EXPECT_EQ(plan.line, 2);
    ASSERT_EQ(plan.rowColors.size(), 32u);
    const uint32_t gloss = 0x00989898;  // c + 24
    EXPECT_EQ(plan.rowColors[0], gloss);
    EXPECT_EQ(plan.rowColors[1], gloss);
    EXPECT_NE(plan.rowColors[2], gloss);
    EXPECT_EQ(plan.rowColors[31], gloss);
    EXPECT_EQ(plan.rowColors[30], gloss);
    // At one pixel the plan is the 96-DPI one.
    const SkinFacePlan one = PlanSkinFace(kDefaultRingTable, kStyleAqua, 0x00EAEAEA, rect, 0x00808080, 0, 0.0);
    EXPECT_EQ(one.face, (PixelRect{2, 2, 98, 38}));
    EXPECT_NE(one.rowColors[1], gloss);
}

TEST(DpiScale, MainPlacementKeepsNinetySixDpiUnitsInTheStore)
{
    const CDpiScale x2(192);
    // The default size, grown about the window as created.
    const PixelRect created{600, 400, 1800, 1200};
    EXPECT_EQ(PlaceMainDialog(created, StoredPlacement{-9999, -9999, 600, 400}, x2),
              (PixelRect{295, 240, 2105, 1360}));
    // A stored placement comes back at twice its numbers, and goes back as
    // they were.
    const PixelRect placed = PlaceMainDialog(created, StoredPlacement{50, 60, 1000, 700}, x2);
    EXPECT_EQ(placed, (PixelRect{100, 120, 2100, 1520}));
    const StoredPlacement stored = StorablePlacement(placed, x2);
    EXPECT_EQ(stored.x, 50);
    EXPECT_EQ(stored.y, 60);
    EXPECT_EQ(stored.width, 1000);
    EXPECT_EQ(stored.height, 700);
    // At 96 DPI nothing changes.
    const StoredPlacement same = StorablePlacement(PixelRect{50, 60, 1050, 760}, CDpiScale());
    EXPECT_EQ(same.width, 1000);
    EXPECT_EQ(same.x, 50);
}

}  // namespace
