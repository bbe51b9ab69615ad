#include <gtest/gtest.h>

#include <cstdint>

#include "render/LerpArgb.h"

namespace {

TEST(LerpArgb, WorkedValues)
{
    struct Case {
        ARGB a, b;
        double x;
        ARGB expected;
    };
    const Case cases[] = {
        // Transparent red with opaque blue: half the alpha, all of blue's colour.
        {0x00FF0000, 0xFF0000FF, 0.5, 0x800000FF},
        {0xFF0000FF, 0x00FF0000, 0.5, 0x800000FF},
        {0xFF102030, 0xFFA0B0C0, 1.0, 0xFF102030},
        {0xFF102030, 0xFFA0B0C0, 0.0, 0xFFA0B0C0},
        // Alpha 80; the colour weight leans to the more opaque red:
        // w = 0.25 + 64 * 0.75 / 255, red 112, blue 143.
        {0x80FF0000, 0x400000FF, 0.25, 0x5070008F},
        // The same pair the other way round leans the same way.
        {0x400000FF, 0x80FF0000, 0.75, 0x5070008F},
        {0xFF000000, 0xFFFFFFFF, 0.5, 0xFF808080},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LerpArgb(c.a, c.b, c.x), c.expected) << std::hex << c.a << " " << c.b << " " << c.x;
}

// The rasteriser skips the filter when all four texels are equal; that is
// only sound if interpolating a value with itself returns it to the bit.
TEST(LerpArgb, ValueWithItselfIsUnchanged)
{
    uint32_t seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const ARGB c = seed;
        const double x = ((seed >> 7) % 100001) / 100000.0;
        ASSERT_EQ(LerpArgb(c, c, x), c) << std::hex << c << " " << x;
        ASSERT_EQ(LerpArgb(c & 0x00FFFFFF, c & 0x00FFFFFF, x), c & 0x00FFFFFF);
        ASSERT_EQ(LerpArgb(c | 0xFF000000, c | 0xFF000000, x), c | 0xFF000000);
    }
}

}  // namespace
