#include <gtest/gtest.h>

#include <cstdint>

#include "render/BlendTexel.h"
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

// The interpolation written out step by step, without the shortcuts.
ARGB StepByStepLerp(ARGB a, ARGB b, double x)
{
    const int aa = int(a >> 24), ab = int(b >> 24);
    int alpha = int(ab * (1 - x) + aa * x + 0.5);
    alpha = alpha > 255 ? 255 : alpha;
    if (aa == 0)
        return ARGB(alpha) << 24 | (b & 0xFFFFFF);
    if (ab == 0)
        return ARGB(alpha) << 24 | (a & 0xFFFFFF);
    double w;
    if (aa > ab)
        w = x + (aa - ab) * (1 - x) / 255;
    else
        w = x - (ab - aa) * x / 255;
    ARGB out = ARGB(alpha) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = int((a >> shift) & 0xFF), cb = int((b >> shift) & 0xFF);
        int c = int(cb * (1 - w) + ca * w + 0.5);
        out |= ARGB(c > 255 ? 255 : c) << shift;
    }
    return out;
}

// LerpArgb keeps a one-colour pair's colour without computing it, and the
// span skips the filter when all four texels are equal; both are sound only
// if the full arithmetic gives the same bits.
TEST(LerpArgb, ShortcutsMatchTheFullArithmetic)
{
    uint32_t seed = 12345;
    for (int i = 0; i < 100000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const ARGB a = seed;
        const uint32_t r = seed * 2654435761u;
        const double x = (r % 100001) / 100000.0;
        ARGB b = r ^ 0x5A5A5A5A;
        if (i % 3 == 0)
            b = (b & 0xFF000000) | (a & 0x00FFFFFF);  // one colour, two alphas
        if (i % 7 == 0)
            b &= 0x00FFFFFF;
        ASSERT_EQ(LerpArgb(a, b, x), StepByStepLerp(a, b, x)) << std::hex << a << " " << b << " " << x;
        ASSERT_EQ(StepByStepLerp(a, a, x), a) << std::hex << a << " " << x;
    }
}

// The span's blend takes a shortcut over transparent pixels; it must give
// BlendArgb's result to the bit for every pair.
TEST(BlendTexel, AgreesWithBlendArgb)
{
    uint32_t seed = 99;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const ARGB d = (i & 1) ? seed & 0x00FFFFFF : seed;
        const ARGB s = seed * 2654435761u ^ (i & 2 ? 0xFF000000 : 0);
        ASSERT_EQ(BlendTexel(d, s), BlendArgb(d, s)) << std::hex << d << " " << s;
        ASSERT_EQ(BlendTexel(d, s & 0x00FFFFFF), BlendArgb(d, s & 0x00FFFFFF));
    }
}

}  // namespace
