// The colour of label text on a skin face: the skin's own shift where it
// reads well, else the nearest shift that does.
#include <gtest/gtest.h>

#include <cmath>

#include "ui/skin/ReadableText.h"
#include "ui/skin/ShiftColor.h"

namespace {

double LinearLight(int byte)
{
    const double v = byte / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

TEST(ReadableText, LuminanceFollowsTheSrgbCurve)
{
    // A grey's luminance is its linear light; the table behind it holds
    // each byte's value to seven decimals.
    for (int g = 0; g < 256; ++g)
        EXPECT_NEAR(double(RelativeLuminance(MakeColor(g, g, g))) * 1e-11, LinearLight(g), 0.51e-7) << g;
    // The channels weigh 0.2126, 0.7152 and 0.0722.
    EXPECT_EQ(RelativeLuminance(0x0000FF), 21260000000);
    EXPECT_EQ(RelativeLuminance(0x00FF00), 71520000000);
    EXPECT_EQ(RelativeLuminance(0xFF0000), 7220000000);
    EXPECT_EQ(ContrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_EQ(ContrastRatio(0xFFFFFF, 0x000000), 21.0);
    EXPECT_EQ(ContrastRatio(0x123456, 0x123456), 1.0);
    // The top byte is not part of the colour.
    EXPECT_EQ(RelativeLuminance(0xFF000000), 0);
}

TEST(ReadableText, TheSkinsShiftOrTheNearestThatReads)
{
    // Expected colours worked out apart from the code, in floating point
    // from the WCAG formulas, for the skin's label shift of -128.
    const struct {
        uint32_t face;
        uint32_t text;
        const char* what;
    } cases[] = {
        {0xEAEAEA, 0x6A6A6A, "the default grey face keeps its label (4.496:1 prints as 4.50)"},
        {0xC8DCE6, 0x485C66, "sand keeps its label (4.84:1)"},
        {0x808080, 0x000000, "mid grey: black text, as shifted (5.32:1)"},
        {0xD8F0E0, 0x576F5F, "mint: one step darker reaches 4.52:1"},
        {0xF0F0F0, 0x6D6D6D, "a lighter grey: three steps darker"},
        {0xFFFFFF, 0x767676, "white: the lightest grey that reads on it"},
        {0x584C44, 0xC8BCB4, "slate: black would read 2.42:1; the text turns light"},
        {0x646464, 0xE1E1E1, "dark grey: black reads 3.55:1, so light text"},
        {0x000000, 0x757575, "black: the text cannot go darker"},
        {0x3C1E14, 0xA4867C, "a dark blue"},
    };
    for (const auto& c : cases) {
        const uint32_t text = ReadableTextColor(c.face, -128);
        EXPECT_EQ(text, c.text) << c.what;
        EXPECT_TRUE(ReadsWell(text, c.face)) << c.what;
    }
    // A face that reads well with its shift keeps exactly that colour, also
    // with a stray top byte.
    EXPECT_EQ(ReadableTextColor(0xAAEAEAEA, -128), 0x6A6A6Au);
}

TEST(ReadableText, EveryFaceGetsTextThatReads)
{
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) {
                const uint32_t face = MakeColor(r, g, b);
                const uint32_t text = ReadableTextColor(face, -128);
                ASSERT_GE(ContrastRatio(text, face), 4.495) << std::hex << face;
                // On the skin's derivation: a shift of the face.
                bool shifted = false;
                for (int d = -255; d <= 255 && !shifted; ++d)
                    shifted = ShiftColor(face, d) == text;
                EXPECT_TRUE(shifted) << std::hex << face;
            }
    // Any shift asked for, however far out, ends on the face's derivation.
    EXPECT_EQ(ReadableTextColor(0xEAEAEA, -100000), 0x000000u);
    EXPECT_EQ(ReadableTextColor(0x202020, 100000), 0xFFFFFFu);
}

}  // namespace
