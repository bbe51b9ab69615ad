#include <gtest/gtest.h>

#include "render/ShadowScene.h"

namespace {

TEST(ShadowFade, FlatAtFullIntensityUnlessHingedAtBottom)
{
    const int h = 101;
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(ShadowFadeFactor(y, h, 100, ShadowPosition::Top), 255u) << y;
        EXPECT_EQ(ShadowFadeFactor(y, h, 100, ShadowPosition::Center), 255u) << y;
        // At the bottom hinge the upper tenth fades: f = 483 - q where q > 228.
        const uint32_t q = static_cast<uint32_t>(h - 1 - y) * 255 / (h - 1);
        const uint32_t expected = q > 228 ? 483 - q : 255;
        EXPECT_EQ(ShadowFadeFactor(y, h, 100, ShadowPosition::Bottom), expected) << y;
    }
    EXPECT_EQ(ShadowFadeFactor(0, h, 100, ShadowPosition::Bottom), 228u);
}

TEST(ShadowFade, HalfIntensityFallsLinearlyFromTheTop)
{
    const int h = 52;
    for (int y = 0; y < h; ++y)
        EXPECT_EQ(ShadowFadeFactor(y, h, 50, ShadowPosition::Top), static_cast<uint32_t>(h - 1 - y) * 255 / (h - 1));
    EXPECT_EQ(ShadowFadeFactor(0, h, 50, ShadowPosition::Top), 255u);
    EXPECT_EQ(ShadowFadeFactor(h - 1, h, 50, ShadowPosition::Top), 0u);
}

TEST(ShadowFade, LowIntensityCutsTheFarRows)
{
    // Intensity 5 at the top hinge: q - 228, so only the top tenth shows.
    EXPECT_EQ(ShadowFadeFactor(0, 256, 5, ShadowPosition::Top), 27u);
    EXPECT_EQ(ShadowFadeFactor(200, 256, 5, ShadowPosition::Top), 0u);
}

TEST(ShadowFade, SingleRowIsFullStrength)
{
    EXPECT_EQ(ShadowFadeFactor(0, 1, 50, ShadowPosition::Top), 255u);
    EXPECT_EQ(ShadowFadeFactor(0, 1, 100, ShadowPosition::Bottom), 228u);  // 255 - (255 - 228)
    EXPECT_EQ(ShadowFadeFactor(0, 1, 30, ShadowPosition::Center), 157u);  // 255 + (30 - 49) * 255 / 49
}

}  // namespace
