#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "WicPng.h"

namespace {

std::string TempPath(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

PngImage Gradient(int width, int height, bool alpha)
{
    PngImage image;
    image.width = width;
    image.height = height;
    image.hasAlpha = alpha;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            image.rgba.push_back(static_cast<uint8_t>(x * 37));
            image.rgba.push_back(static_cast<uint8_t>(y * 53));
            image.rgba.push_back(static_cast<uint8_t>(x * y + 7));
            image.rgba.push_back(alpha ? static_cast<uint8_t>(255 - x * 11) : 255);
        }
    return image;
}

// Both layouts come back byte for byte, with red kept in front even where the
// encoder only takes the blue-first format.
TEST(WicPng, RoundTripsRgbaAndRgbExactly)
{
    for (bool alpha : {true, false}) {
        const PngImage written = Gradient(7, 5, alpha);
        const std::string path = TempPath(alpha ? "wicpng-rgba.png" : "wicpng-rgb.png");
        std::string error;
        ASSERT_TRUE(WritePng(path, written, error)) << error;
        PngImage read;
        ASSERT_TRUE(ReadPng(path, read, error)) << error;
        EXPECT_EQ(read.width, 7);
        EXPECT_EQ(read.height, 5);
        EXPECT_EQ(read.hasAlpha, alpha);
        EXPECT_EQ(read.rgba, written.rgba);
        std::remove(path.c_str());
    }
}

TEST(WicPng, ScreenshotLayoutBecomesRgb)
{
    const uint8_t bgrx[2 * 4 * 2] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
    const std::string path = TempPath("wicpng-bgrx.png");
    std::string error;
    ASSERT_TRUE(WritePngFromBgrx(path, 2, 2, bgrx, 8, error)) << error;
    PngImage read;
    ASSERT_TRUE(ReadPng(path, read, error)) << error;
    const uint8_t expected[] = {3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255, 12, 11, 10, 255};
    EXPECT_EQ(read.rgba, std::vector<uint8_t>(expected, expected + 16));
    std::remove(path.c_str());
}

TEST(WicPng, ReportsMissingAndNonPngFiles)
{
    PngImage read;
    std::string error;
    EXPECT_FALSE(ReadPng(TempPath("no-such-file.png"), read, error));
    EXPECT_NE(error.find("cannot read"), std::string::npos);

    const std::string text = TempPath("wicpng-not-a-png.png");
    FILE* f = std::fopen(text.c_str(), "wb");
    std::fputs("plain text, not an image", f);
    std::fclose(f);
    EXPECT_FALSE(ReadPng(text, read, error));
    std::remove(text.c_str());
}

}  // namespace
