// The preview's zoom levels, the view each lays out, and the scaling of the
// shown picture (whole-factor squares up, area averages down).
#include <gtest/gtest.h>

#include "imaging/PreviewView.h"
#include "imaging/PreviewZoom.h"

namespace {

TEST(PreviewZoom, StepsFromEveryLevelAndFromFit)
{
    using namespace PreviewZoom;
    const struct {
        int zoom;
        double fit;
        int in;
        int out;
    } cases[] = {
        {25, 0.3, 50, 25},  {50, 0.3, 100, 25}, {100, 0.3, 200, 50}, {200, 0.3, 400, 100}, {400, 0.3, 400, 200},
        {kFit, 0.3, 50, 25}, {kFit, 0.2, 25, 0}, {kFit, 0.5, 100, 25}, {kFit, 1.0, 200, 50},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ZoomIn(c.zoom, c.fit), c.in) << c.zoom << " " << c.fit;
        // Below 25 % there is nothing further out: Fit stays.
        EXPECT_EQ(ZoomOut(c.zoom, c.fit), c.out == 0 ? c.zoom : c.out) << c.zoom << " " << c.fit;
    }
    EXPECT_DOUBLE_EQ(FitScale(400, 300, 4000, 3000), 0.1);
    EXPECT_DOUBLE_EQ(FitScale(400, 300, 200, 100), 1.0) << "never enlarged";
    EXPECT_FALSE(IsLevel(300));
    EXPECT_EQ(LevelIndex(400), 5);
}

TEST(PreviewZoom, EachLevelLaysOutTheViewItShows)
{
    // A 2000 x 1500 image in a 421 x 371 client: 420 x 370 to cover.
    const struct {
        int zoom;
        int viewWidth, viewHeight, shownWidth, shownHeight;
    } cases[] = {
        {PreviewZoom::kFit, 2000, 1500, 420, 315},
        {25, 1680, 1480, 420, 370},
        {50, 840, 740, 420, 370},
        {100, 420, 370, 420, 370},
        {200, 210, 185, 420, 370},
        {400, 105, 92, 420, 368},
    };
    for (const auto& c : cases) {
        CDib buffer;
        CPreviewView view;
        view.m_nZoom = c.zoom;
        view.SetImage(&buffer, PixelRect{0, 0, 2000, 1500}, false, 421, 371);
        EXPECT_EQ(view.m_nViewWidth, c.viewWidth) << c.zoom;
        EXPECT_EQ(view.m_nViewHeight, c.viewHeight) << c.zoom;
        EXPECT_EQ(view.ShownWidth(), c.shownWidth) << c.zoom;
        EXPECT_EQ(view.ShownHeight(), c.shownHeight) << c.zoom;
        // Reduced, the buffer is rendered at the shown size; otherwise it
        // holds the image pixels that are enlarged.
        const bool reduced = c.zoom == PreviewZoom::kFit || c.zoom < 100;
        EXPECT_EQ(buffer.GetWidth(), reduced ? c.shownWidth : c.viewWidth) << c.zoom;
        EXPECT_EQ(buffer.GetHeight(), reduced ? c.shownHeight : c.viewHeight) << c.zoom;
        // Dragged far past a corner, the view stops on the image's edges.
        view.CentreOn(9000, 9000);
        view.ClampView();
        EXPECT_EQ(view.m_rcView.right, 2000) << c.zoom;
        EXPECT_EQ(view.m_rcView.bottom, 1500) << c.zoom;
    }
}

TEST(PreviewZoom, AnImagePointPlacedUnderAScreenPointStaysThere)
{
    CDib buffer;
    CPreviewView view;
    view.m_nZoom = 100;
    view.SetImage(&buffer, PixelRect{0, 0, 2000, 1500}, false, 421, 371);
    double ix = 0, iy = 0;
    view.ImagePointAt(300, 100, ix, iy);
    for (int zoom : {400, 25, 200}) {
        view.m_nZoom = zoom;
        view.SetImage(&buffer, PixelRect{0, 0, 2000, 1500}, true, 421, 371);
        view.PlaceImagePointAt(ix, iy, 300, 100);
        double x = 0, y = 0;
        view.ImagePointAt(300, 100, x, y);
        EXPECT_NEAR(x, ix, 1.0) << zoom;
        EXPECT_NEAR(y, iy, 1.0) << zoom;
    }
}

TEST(PreviewZoom, PicturesEnlargeIntoSquaresAndShrinkByAreaAverages)
{
    CDib from;
    ASSERT_TRUE(from.Create(3, 2));
    const ARGB pixels[2][3] = {{0xFF000000, 0xFF0000FF, 0xFF00FF00}, {0xFFFF0000, 0xFF303030, 0xFFFFFFFF}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            from.Row(y)[x] = pixels[y][x];

    CDib big;
    ScalePreviewPicture(from, big, 12, 8);
    ASSERT_EQ(big.GetWidth(), 12);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(big.Row(y)[x], pixels[y / 4][x / 4]) << x << "," << y;

    // 3 x 2 into 2 x 1: each target pixel takes one and a half columns of
    // both rows, the middle column half each.
    CDib small;
    ScalePreviewPicture(from, small, 2, 1);
    ASSERT_EQ(small.GetWidth(), 2);
    // Left: (0 + 0xFF*... ) per channel: weights 2,1 of 3 in x, 1,1 in y.
    const auto channel = [](ARGB p, int shift) { return int(p >> shift & 0xFF); };
    for (int shift : {0, 8, 16, 24}) {
        const int left = (2 * channel(pixels[0][0], shift) + channel(pixels[0][1], shift) +
                          2 * channel(pixels[1][0], shift) + channel(pixels[1][1], shift) + 3) / 6;
        const int right = (channel(pixels[0][1], shift) + 2 * channel(pixels[0][2], shift) +
                           channel(pixels[1][1], shift) + 2 * channel(pixels[1][2], shift) + 3) / 6;
        EXPECT_EQ(channel(small.Row(0)[0], shift), left) << shift;
        EXPECT_EQ(channel(small.Row(0)[1], shift), right) << shift;
    }
}

}  // namespace
