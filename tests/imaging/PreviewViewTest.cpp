#include <gtest/gtest.h>

#include "imaging/PreviewView.h"

namespace {

void ExpectRect(const PixelRect& r, int l, int t, int rt, int b)
{
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rt);
    EXPECT_EQ(r.bottom, b);
}

TEST(PreviewView, LargeImageGetsClientSizedViewThatStopsAtEdges)
{
    CDib buffer;
    CPreviewView view;
    view.SetImage(&buffer, PixelRect{0, 0, 2000, 1500}, false, 420, 370);
    EXPECT_EQ(view.m_nViewWidth, 419);
    EXPECT_EQ(view.m_nViewHeight, 369);
    EXPECT_EQ(buffer.GetWidth(), 419);
    EXPECT_EQ(buffer.GetHeight(), 369);
    // Centred on the image: 1000 - 419 / 2 = 791.
    ExpectRect(view.m_rcView, 791, 566, 1210, 935);

    // Dragging far past the top-left stops on the edge; so does bottom-right.
    view.CentreOn(-5000, -5000);
    view.ClampView();
    ExpectRect(view.m_rcView, 0, 0, 419, 369);
    view.CentreOn(9000, 9000);
    view.ClampView();
    ExpectRect(view.m_rcView, 1581, 1131, 2000, 1500);
}

TEST(PreviewView, SmallImageIsShownWholeAndDoesNotPan)
{
    CDib buffer;
    CPreviewView view;
    view.SetImage(&buffer, PixelRect{0, 0, 200, 100}, false, 420, 370);
    ExpectRect(view.m_rcView, 0, 0, 200, 100);
    view.CentreOn(0, 0);
    view.ClampView();
    ExpectRect(view.m_rcView, 0, 0, 200, 100);
}

TEST(PreviewView, KeepCentreAcrossResize)
{
    CDib buffer;
    CPreviewView view;
    view.SetImage(&buffer, PixelRect{0, 0, 2000, 1500}, false, 420, 370);
    view.CentreOn(600, 400);
    view.ClampView();
    view.SetImage(&buffer, PixelRect{0, 0, 2000, 1500}, true, 820, 570);
    view.ClampView();
    EXPECT_EQ((view.m_rcView.left + view.m_rcView.right) / 2, 600);
    EXPECT_EQ((view.m_rcView.top + view.m_rcView.bottom) / 2, 400);
    EXPECT_EQ(buffer.GetWidth(), 819);
}

TEST(PreviewView, TinyClientGivesOnePixelView)
{
    CDib buffer;
    CPreviewView view;
    view.SetImage(&buffer, PixelRect{0, 0, 50, 50}, false, 2, 2);
    EXPECT_EQ(view.m_rcView.right - view.m_rcView.left, 1);
    EXPECT_EQ(view.m_rcView.bottom - view.m_rcView.top, 1);
}

}  // namespace

namespace {

// The paint picture in one pass equals the long way round: the view through
// the tent kernel of width 0.7 at its own size, blended at full opacity over
// a buffer of the opaque background.
TEST(PreviewPaint, OnePassEqualsTentCopyBlendedOverTheBackground)
{
    CDib view;
    ASSERT_TRUE(view.Create(37, 23));
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed;
    };
    for (int y = 0; y < view.GetHeight(); ++y)
        for (int x = 0; x < view.GetWidth(); ++x) {
            const uint32_t r = next();
            // Transparent (with stray colour bytes), opaque and in between.
            const uint32_t alpha = (r >> 29) == 0 ? 0 : (r >> 29) == 1 ? 255 : (r >> 8) & 0xFF;
            view.Row(y)[x] = alpha << 24 | (next() & 0x00FFFFFF);
        }
    for (const ARGB background : {0x00FFFFFFu, 0x00C0E0F0u, 0x12000000u}) {
        CDib expected, filtered;
        ASSERT_TRUE(expected.Create(37, 23));
        expected.Fill(0xFF000000u | background);
        view.Stretch(filtered, 0.7, kStretchWholeDest, 0, kStretchBilinear);
        expected.BlendFrom(filtered, 255);

        CDib painted;
        ComposePreviewPaint(view, background, painted);
        ASSERT_EQ(painted.GetWidth(), 37);
        ASSERT_EQ(painted.GetHeight(), 23);
        int differ = 0;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x)
                differ += painted.Row(y)[x] != expected.Row(y)[x] ? 1 : 0;
        EXPECT_EQ(differ, 0) << std::hex << background;
    }
    CDib none, out;
    ComposePreviewPaint(none, 0x00FFFFFF, out);
    EXPECT_TRUE(out.IsEmpty());
}

}  // namespace
