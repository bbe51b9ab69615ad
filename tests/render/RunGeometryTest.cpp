#include <gtest/gtest.h>

#include <vector>

#include "render/RunGeometry.h"

namespace {

// A small host image: RGB or RGBA bytes plus an optional mask, all zero.
struct HostFixture {
    int w, h, planes;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> mask;

    HostFixture(int width, int height, int planeCount, bool withMask)
        : w(width), h(height), planes(planeCount), pixels(size_t(width) * height * planeCount),
          mask(withMask ? size_t(width) * height : 0)
    {
    }
    void SetAlpha(int x, int y, uint8_t a) { pixels[(size_t(y) * w + x) * planes + 3] = a; }
    void SetMask(int x, int y, uint8_t m) { mask[size_t(y) * w + x] = m; }
    void SelectRect(int x0, int y0, int x1, int y1)
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                SetMask(x, y, 255);
    }
    HostBuffers Buffers()
    {
        return HostBuffers::Packed(w, h, planes, pixels.data(), pixels.data(), mask.empty() ? nullptr : mask.data());
    }
};

void ExpectCrop(const RunGeometry& g, int l, int t, int r, int b)
{
    EXPECT_EQ(g.cropLeft, l);
    EXPECT_EQ(g.cropTop, t);
    EXPECT_EQ(g.cropRight, r);
    EXPECT_EQ(g.cropBottom, b);
}

TEST(RunGeometry, RectangleSelectionOnFlatImage)
{
    HostFixture f(100, 100, 3, true);
    f.SelectRect(10, 10, 19, 29);
    RunGeometry g;
    ASSERT_EQ(ComputeRunGeometry(f.Buffers(), g), RunRefusal::None);
    EXPECT_EQ(g.imageWidth, 100);
    EXPECT_EQ(g.imageHeight, 100);
    EXPECT_EQ(g.objectWidth, 10);
    EXPECT_EQ(g.objectHeight, 20);
    ExpectCrop(g, 0, 0, 39, 49);
}

TEST(RunGeometry, AllZeroMaskGivesOnePixelObjectAtOrigin)
{
    HostFixture f(100, 60, 3, true);
    RunGeometry g;
    ASSERT_EQ(ComputeRunGeometry(f.Buffers(), g), RunRefusal::None);
    EXPECT_EQ(g.objectWidth, 1);
    EXPECT_EQ(g.objectHeight, 1);
    ExpectCrop(g, 0, 0, 20, 20);
}

TEST(RunGeometry, Refusals)
{
    {
        HostFixture f(10, 10, 3, false);  // no selection, no transparency
        RunGeometry g;
        EXPECT_EQ(ComputeRunGeometry(f.Buffers(), g), RunRefusal::NoSelection);
    }
    {
        HostFixture f(80, 80, 4, false);  // a 1 x 50 line is too thin
        for (int y = 10; y < 60; ++y)
            f.SetAlpha(30, y, 255);
        RunGeometry g;
        EXPECT_EQ(ComputeRunGeometry(f.Buffers(), g), RunRefusal::EmptyObject);
    }
    {
        HostFixture f(40, 40, 4, true);  // the selection covers only transparent pixels
        f.SelectRect(0, 0, 9, 9);
        for (int y = 20; y < 30; ++y)
            for (int x = 20; x < 30; ++x)
                f.SetAlpha(x, y, 255);
        RunGeometry g;
        EXPECT_EQ(ComputeRunGeometry(f.Buffers(), g), RunRefusal::EmptyObject);
    }
    EXPECT_STREQ(RefusalKey(RunRefusal::NoSelection), "err_no_sel");
    EXPECT_STREQ(RefusalText(RunRefusal::NoSelection),
                 "This filter requires a selection or a layer with transparency!");
    EXPECT_STREQ(RefusalKey(RunRefusal::EmptyObject), "err_empty");
    EXPECT_STREQ(RefusalText(RunRefusal::EmptyObject), "Sorry, the selected area is empty!");
}

TEST(RunGeometry, MaskWeightsTransparency)
{
    // Alpha 1 under a mask of 254 weighs 0: only the stronger pixels count.
    HostFixture f(50, 50, 4, true);
    f.SetAlpha(5, 5, 1);
    f.SetMask(5, 5, 254);
    f.SetAlpha(10, 12, 255);
    f.SetMask(10, 12, 1);
    f.SetAlpha(20, 30, 200);
    f.SetMask(20, 30, 255);
    RunGeometry g;
    ASSERT_EQ(ComputeRunGeometry(f.Buffers(), g), RunRefusal::None);
    EXPECT_EQ(g.objectWidth, 11);
    EXPECT_EQ(g.objectHeight, 19);
}

TEST(RunGeometry, CropStopsAtTheBorder)
{
    HostFixture f(30, 25, 4, false);
    for (int y = 0; y < 25; ++y)
        for (int x = 25; x < 30; ++x)
            f.SetAlpha(x, y, 255);
    RunGeometry g;
    ASSERT_EQ(ComputeRunGeometry(f.Buffers(), g), RunRefusal::None);
    EXPECT_EQ(g.objectWidth, 5);
    EXPECT_EQ(g.objectHeight, 25);
    ExpectCrop(g, 5, 0, 29, 24);
}

}  // namespace
