// Zones of the skinned frame, anchored layout arithmetic and slider geometry.
#include <gtest/gtest.h>

#include "ui/controls/SliderGeometry.h"
#include "ui/skin/AnchorMath.h"
#include "ui/skin/FrameZones.h"

namespace {

TEST(FrameZones, ResizeZonesFirstMatchWins)
{
    const int w = 200, h = 100;
    const struct {
        int x, y;
        FrameHit hit;
    } cases[] = {
        {195, 95, kHitBottomRight}, {191, 91, kHitBottomRight}, {190, 96, kHitBottom}, {100, 95, kHitNone},
        {5, 5, kHitTopLeft},        {2, 96, kHitBottomLeft},     {196, 5, kHitTopRight},
        {196, 50, kHitRight},       {5, 50, kHitLeft},           {100, 96, kHitBottom},
        {100, 5, kHitTop},          {100, 50, kHitNone},         {6, 6, kHitNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FrameResizeHit(c.x, c.y, w, h), c.hit) << c.x << "," << c.y;
}

TEST(FrameZones, CursorZonesAreNarrowerThanTheResizeZones)
{
    const int w = 200, h = 100;
    EXPECT_EQ(FrameCursorAt(1, 1, w, h, false), kCursorSizeNWSE);
    EXPECT_EQ(FrameCursorAt(3, 3, w, h, false), kCursorSizeWE);  // still a top-left resize zone
    EXPECT_EQ(FrameResizeHit(3, 3, w, h), kHitTopLeft);
    EXPECT_EQ(FrameCursorAt(195, 95, w, h, false), kCursorSizeNWSE);
    EXPECT_EQ(FrameCursorAt(199, 2, w, h, false), kCursorSizeNESW);
    EXPECT_EQ(FrameCursorAt(2, 96, w, h, false), kCursorSizeNESW);
    EXPECT_EQ(FrameCursorAt(100, 1, w, h, false), kCursorSizeNS);
    EXPECT_EQ(FrameCursorAt(100, 50, w, h, false), kCursorArrow);
    EXPECT_EQ(FrameCursorAt(1, 1, w, h, true), kCursorArrow);
}

TEST(AnchorMath, PercentAnchorsMoveEachEdgeByItsShareOfTheGrowth)
{
    // Anchored (5, 0)-(10, 0) in a client 400 wide, grown to 501.
    const AnchorLayout layout =
        MakeAnchorLayout(PixelRect{100, 30, 180, 50}, AnchorPoint{5, 0}, AnchorPoint{10, 0}, 400, 300);
    const PixelRect moved = AnchoredRect(layout, 501, 300);
    EXPECT_EQ(moved.left, 105);   // 5 * 501 / 100 - 5 * 400 / 100 = 25 - 20
    EXPECT_EQ(moved.right, 190);  // 50 - 40
    EXPECT_EQ(moved.top, 30);
    EXPECT_EQ(moved.bottom, 50);
}

TEST(AnchorMath, NoAnchorKeepsTheSizeAndFollowsTheTopLeftPoint)
{
    const AnchorLayout ok = MakeAnchorLayout(PixelRect{300, 250, 370, 270}, kAnchorBottomRight, kNoAnchor, 400, 300);
    const PixelRect moved = AnchoredRect(ok, 460, 333);
    EXPECT_EQ(moved.left, 360);
    EXPECT_EQ(moved.top, 283);
    EXPECT_EQ(moved.right - moved.left, 70);
    EXPECT_EQ(moved.bottom - moved.top, 20);
    // The preview fills from 10 % onward and takes all the extra height.
    const AnchorLayout preview =
        MakeAnchorLayout(PixelRect{180, 29, 390, 280}, AnchorPoint{10, 0}, kAnchorBottomRight, 400, 300);
    const PixelRect grown = AnchoredRect(preview, 600, 400);
    EXPECT_EQ(grown.left, 200);
    EXPECT_EQ(grown.right, 590);
    EXPECT_EQ(grown.bottom, 380);
}

SliderMetrics Slider(int pos, int page = 10)
{
    return SliderMetrics{PixelRect{0, 0, 160, 20}, 20, 36, 0, 100, pos, page};
}

TEST(SliderGeometry, ThumbPosition)
{
    const PixelRect thumb = SliderThumbRect(Slider(50));
    EXPECT_EQ(thumb.left, 62);  // 20 + 50 * 82 / 100 + 1
    EXPECT_EQ(thumb.right, 98);
    EXPECT_EQ(thumb.top, 1);
    EXPECT_EQ(thumb.bottom, 19);
    EXPECT_EQ(SliderThumbRect(Slider(0)).left, 21);
    EXPECT_EQ(SliderThumbRect(Slider(100)).left, 103);
    SliderMetrics flat = Slider(5);
    flat.min = flat.max = 5;
    EXPECT_TRUE(SliderThumbRect(flat).IsEmpty());
}

TEST(SliderGeometry, StepsByArrowPageOrNothing)
{
    const SliderMetrics m = Slider(50);  // thumb 62 .. 97
    EXPECT_EQ(SliderStepAt(m, 5), -1);
    EXPECT_EQ(SliderStepAt(m, 19), -1);
    EXPECT_EQ(SliderStepAt(m, 141), 1);
    EXPECT_EQ(SliderStepAt(m, 30), -10);
    EXPECT_EQ(SliderStepAt(m, 61), -10);
    EXPECT_EQ(SliderStepAt(m, 62), 0);
    EXPECT_EQ(SliderStepAt(m, 97), 0);
    EXPECT_EQ(SliderStepAt(m, 98), 10);
    EXPECT_EQ(SliderStepAt(Slider(50, 0), 30), 0);
    SliderMetrics flat = Slider(5);
    flat.min = flat.max = 5;
    EXPECT_EQ(SliderStepAt(flat, 80), 0);
    EXPECT_EQ(SliderStepAt(flat, 150), 1);
}

TEST(SliderGeometry, DragFollowsTheMouseWithinTheTrack)
{
    const SliderMetrics m = Slider(50);
    // travel = 160 - 40 - 36 = 84, low = 38, high = 122.
    EXPECT_EQ(SliderDragValue(m, 38, 0), 0);
    EXPECT_EQ(SliderDragValue(m, 0, 0), 0);
    EXPECT_EQ(SliderDragValue(m, 122, 0), 100);
    EXPECT_EQ(SliderDragValue(m, 500, 0), 100);
    EXPECT_EQ(SliderDragValue(m, 70, 10), 50);  // (80 - 38) * 100 / 84
    SliderMetrics narrow = m;
    narrow.client.right = 70;
    EXPECT_EQ(SliderDragValue(narrow, 40, 0), 50);
}

}  // namespace
