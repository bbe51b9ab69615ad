#include <gtest/gtest.h>

#include "imaging/Dib.h"

namespace {

TEST(CDib, ConstructedEmpty)
{
    CDib dib;
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_EQ(dib.GetWidth(), 0);
    EXPECT_EQ(dib.GetHeight(), 0);
    EXPECT_EQ(dib.m_rcClip.left, -9999);
    // Walks on an empty buffer do nothing.
    dib.Fill(0xFFFFFFFF);
    dib.SetPixel(0, 0, 1);
    EXPECT_EQ(&dib.PixelAt(0, 0), &dib.m_dwScratch);
}

TEST(CDib, StrideAndHeaderForWidthFive)
{
    CDib dib;
    ASSERT_TRUE(dib.Create(5, 3));
    EXPECT_EQ(dib.GetStride(), 8);
    const DibInfoHeader& h = dib.GetInfo()->header;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 8);
    EXPECT_EQ(h.biHeight, -3);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 32);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, 8u * 3u * 4u);
    EXPECT_EQ(dib.GetInfo()->colors[0], 0u);

    // Whole-buffer walks touch the row tails too: 24 pixels.
    dib.Fill(0xFF102030);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(dib.GetPixels()[i], 0xFF102030u) << i;

    CDib src;
    ASSERT_TRUE(src.Create(5, 3));
    src.Fill(0xFFABCDEF);
    dib.BlendFrom(src, 255);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(dib.GetPixels()[i], 0xFFABCDEFu) << i;

    // Column 5 lies in the tail, outside the clip rectangle (0, 0, 5, 3).
    dib.SetPixel(5, 0, 0xFF000001);
    EXPECT_EQ(dib.GetPixels()[5], 0xFFABCDEFu);
    dib.SetPixel(4, 2, 0xFF000001);
    EXPECT_EQ(dib.GetPixels()[4 + 2 * 8], 0xFF000001u);
}

TEST(CDib, CreateKeepsOrResetsClip)
{
    CDib dib;
    ASSERT_TRUE(dib.Create(10, 10));
    dib.Fill(0xFFFFFFFF);
    dib.m_rcClip = PixelRect{2, 2, 4, 4};
    ASSERT_TRUE(dib.Create(10, 10));  // same size: cleared, clip kept
    EXPECT_EQ(dib.GetPixels()[0], 0u);
    EXPECT_EQ(dib.m_rcClip.left, 2);
    EXPECT_EQ(dib.m_rcClip.right, 4);
    ASSERT_TRUE(dib.Create(11, 10));  // new size: clip is the whole buffer
    EXPECT_EQ(dib.m_rcClip.left, 0);
    EXPECT_EQ(dib.m_rcClip.top, 0);
    EXPECT_EQ(dib.m_rcClip.right, 11);
    EXPECT_EQ(dib.m_rcClip.bottom, 10);
}

TEST(CDib, CreateFailsCleanlyForZeroOrHugeSizes)
{
    CDib dib;
    ASSERT_TRUE(dib.Create(4, 4));
    dib.m_rcClip = PixelRect{1, 1, 2, 2};
    EXPECT_FALSE(dib.Create(0, 10));
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_EQ(dib.GetWidth(), 0);
    EXPECT_EQ(dib.m_rcClip.left, 1);  // Destroy leaves the clip rectangle alone
    EXPECT_FALSE(dib.Create(100000, 100000));
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_FALSE(dib.Create(-5, 3));
    EXPECT_TRUE(dib.IsEmpty());
}

TEST(CDib, FillStoresOpaqueAndClearBlendsTranslucent)
{
    CDib dib;
    ASSERT_TRUE(dib.Create(2, 1));
    dib.Fill(0xFFFFFFFF);
    dib.Fill(0x80000000);  // blends: half black over white
    EXPECT_EQ(dib.GetPixels()[0], 0xFF7F7F7Fu);
    dib.Fill(0x00123456);  // alpha 0 stores, it does not leave the pixel alone
    EXPECT_EQ(dib.GetPixels()[0], 0x00123456u);
}

TEST(CDib, CopyToCreatesDestinationAtSourceSize)
{
    CDib src, dest;
    ASSERT_TRUE(src.Create(3, 2));
    src.Fill(0xFF010203);
    src.SetPixel(2, 1, 0x80FFFFFF);
    dest.m_rcClip = PixelRect{0, 0, 1, 1};
    src.CopyTo(dest);
    ASSERT_EQ(dest.GetWidth(), 3);
    ASSERT_EQ(dest.GetHeight(), 2);
    EXPECT_EQ(dest.PixelAt(2, 1), 0x80FFFFFFu);
    EXPECT_EQ(dest.PixelAt(0, 0), 0xFF010203u);

    CDib empty;
    empty.CopyTo(dest);  // nothing from an empty source
    EXPECT_EQ(dest.GetWidth(), 3);
}

TEST(CDib, BlendFromOpacityFloorAndZero)
{
    CDib src, dest;
    ASSERT_TRUE(src.Create(1, 1));
    ASSERT_TRUE(dest.Create(1, 1));
    src.Fill(0x01FF0000);  // alpha 1: 1 * 1 / 255 would truncate to 0
    dest.Fill(0x00000000);
    dest.BlendFrom(src, 1);
    EXPECT_EQ(dest.GetPixels()[0], 0x01FF0000u);

    dest.Fill(0xFF00FF00);
    src.Fill(0xFFFF0000);
    dest.BlendFrom(src, 0);
    EXPECT_EQ(dest.GetPixels()[0], 0xFF00FF00u);

    dest.BlendFrom(src, 128);  // 255 * 128 / 255 = 128
    EXPECT_EQ(dest.GetPixels()[0], BlendArgb(0xFF00FF00, 0x80FF0000));

    CDib other;
    ASSERT_TRUE(other.Create(2, 1));
    other.Fill(0xFF0000FF);
    dest.BlendFrom(other, 255);  // size mismatch: nothing
    EXPECT_EQ(dest.GetPixels()[0], BlendArgb(0xFF00FF00, 0x80FF0000));
}

TEST(CDib, BlendAtClipsToBuffer)
{
    CDib src, dest;
    ASSERT_TRUE(src.Create(10, 10));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            src.SetPixel(x, y, 0xFF000000u | static_cast<uint32_t>(y * 16 + x));
    ASSERT_TRUE(dest.Create(5, 5));
    dest.BlendAt(src, -3, -2, 255);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(dest.PixelAt(x, y), 0xFF000000u | static_cast<uint32_t>((y + 2) * 16 + x + 3)) << x << "," << y;
    // The tail columns 5..7 stay untouched.
    EXPECT_EQ(dest.GetPixels()[5], 0u);

    // Placed at the bottom-right, only the overlap is blended.
    dest.Fill(0);
    dest.BlendAt(src, 3, 4, 255);
    EXPECT_EQ(dest.PixelAt(3, 4), 0xFF000000u);
    EXPECT_EQ(dest.PixelAt(4, 4), 0xFF000001u);
    EXPECT_EQ(dest.PixelAt(2, 4), 0u);
    EXPECT_EQ(dest.PixelAt(3, 3), 0u);

    // No overlap: nothing, and no stray write.
    dest.Fill(0);
    dest.BlendAt(src, 5, 0, 255);
    dest.BlendAt(src, -10, 0, 255);
    dest.BlendAt(src, 0, -10, 255);
    for (int i = 0; i < 8 * 5; ++i)
        ASSERT_EQ(dest.GetPixels()[i], 0u);
}

TEST(CDib, BlendPixelShortcutsAndClip)
{
    CDib dib;
    ASSERT_TRUE(dib.Create(4, 4));
    dib.Fill(0xFF336699);
    dib.BlendPixel(1, 1, 0x00FFFFFF);  // erases alpha only
    EXPECT_EQ(dib.PixelAt(1, 1), 0x00336699u);
    dib.BlendPixel(2, 2, 0x40FFFFFF);
    EXPECT_EQ(dib.PixelAt(2, 2), 0xFF668CB2u);
    dib.BlendPixel(3, 3, 0xFF010101);
    EXPECT_EQ(dib.PixelAt(3, 3), 0xFF010101u);

    dib.m_rcClip = PixelRect{1, 1, 3, 3};
    dib.BlendPixel(0, 0, 0xFF000000);
    EXPECT_EQ(dib.GetPixels()[0], 0xFF336699u);
    ARGB& outside = dib.PixelAt(3, 1);
    EXPECT_EQ(&outside, &dib.m_dwScratch);
    outside = 0x12345678;  // lands harmlessly
    EXPECT_EQ(dib.GetPixels()[3 + 4], 0xFF336699u);
}

TEST(CDib, ClipLargerThanBufferNeverWritesPastIt)
{
    CDib dib;
    ASSERT_TRUE(dib.Create(4, 2));
    dib.m_rcClip = PixelRect{-5, -5, 100, 100};
    dib.SetPixel(-1, 0, 0xFFFFFFFF);
    dib.SetPixel(4, 1, 0xFFFFFFFF);  // tail column
    dib.SetPixel(0, 2, 0xFFFFFFFF);  // one row past the end
    dib.BlendPixel(50, 50, 0x80FFFFFF);
    EXPECT_EQ(&dib.PixelAt(0, 5), &dib.m_dwScratch);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(dib.GetPixels()[i], 0u);
}

TEST(CDib, ColorRefToArgbSwapsRedAndBlue)
{
    EXPECT_EQ(ColorRefToArgb(0x000000FF), 0x00FF0000u);
    EXPECT_EQ(ColorRefToArgb(0x00123456), 0x00563412u);
}

TEST(CDib, ShrinkToGreyAveragesBlocks)
{
    CDib big, small;
    ASSERT_TRUE(big.Create(40, 40));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            big.SetPixel(x, y, 0xFF000000u | static_cast<uint32_t>((x % 4) * 20 + (y % 4)));  // blue only
    ASSERT_TRUE(small.Create(10, 10));
    big.ShrinkToGrey(small);
    // Mean over a 4x4 block: blue = 20 * 1.5 + 1.5 = 31.5, truncated to 31.
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(small.PixelAt(x, y), 0xFF1F1F1Fu);

    small.Fill(0);
    const PixelRect limit{2, 2, 4, 4};
    big.ShrinkToGrey(small, &limit);
    int changed = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            if (small.PixelAt(x, y) != 0)
                ++changed;
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(small.PixelAt(2, 2), 0xFF1F1F1Fu);
    EXPECT_EQ(small.PixelAt(3, 3), 0xFF1F1F1Fu);
}

TEST(CDib, ShrinkToGreyIgnoresImpossibleDestinations)
{
    CDib src, wide, tall;
    ASSERT_TRUE(src.Create(4, 4));
    src.Fill(0xFFFFFFFF);
    ASSERT_TRUE(wide.Create(8, 1));  // wider than the source: factor 0
    src.ShrinkToGrey(wide);
    EXPECT_EQ(wide.PixelAt(0, 0), 0u);
    ASSERT_TRUE(tall.Create(2, 5));  // factor 2, but rows 2..4 have no source block
    src.ShrinkToGrey(tall);
    EXPECT_EQ(tall.PixelAt(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(tall.PixelAt(0, 2), 0u);
}

}  // namespace
