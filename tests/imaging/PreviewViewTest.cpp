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
