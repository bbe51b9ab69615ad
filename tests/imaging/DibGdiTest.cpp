// GDI draws into the same memory the buffer exposes: proves the DIB section
// is top-down, has the rounded stride and keeps blue, green, red byte order.
#include <windows.h>

#include <gtest/gtest.h>

#include "imaging/Dib.h"

namespace {

TEST(CDibGdi, DrawingLandsInPixelMemory)
{
    CDib dib;
    ASSERT_TRUE(dib.Create(5, 3));
    dib.Fill(0xFF808080);
    HDC dc = dib.GetDC();
    ASSERT_NE(dc, nullptr);

    // Red over the top-left 2x2, one green pixel at the bottom-right.
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{0, 0, 2, 2};
    FillRect(dc, &r, red);
    DeleteObject(red);
    ASSERT_TRUE(SetPixelV(dc, 4, 2, RGB(0, 255, 0)));
    GdiFlush();

    const uint32_t* px = dib.GetPixels();
    EXPECT_EQ(px[0] & 0xFFFFFF, 0xFF0000u);      // row 0 is the top row
    EXPECT_EQ(px[1 + 8] & 0xFFFFFF, 0xFF0000u);  // row 1 starts 8 pixels on
    EXPECT_EQ(px[2] & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(px[4 + 2 * 8] & 0xFFFFFF, 0x00FF00u);

    // And GDI reads back what we wrote.
    dib.SetPixel(3, 0, 0xFF0000FF);
    EXPECT_EQ(GetPixel(dc, 3, 0), RGB(0, 0, 255));
    dib.ReleaseDC();
}

TEST(CDibGdi, DestroyReleasesAnOpenContext)
{
    CDib dib;
    ASSERT_TRUE(dib.Create(8, 8));
    ASSERT_NE(dib.GetDC(), nullptr);
    dib.Destroy();
    EXPECT_TRUE(dib.IsEmpty());
    ASSERT_TRUE(dib.Create(16, 16));
    HDC dc = dib.GetDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), static_cast<HGDIOBJ>(dib.GetBitmapHandle()));
    dib.ReleaseDC();
}

}  // namespace
