#include <gtest/gtest.h>

#include "imaging/Argb.h"

namespace {

struct BlendCase {
    ARGB d;
    ARGB s;
    ARGB expected;
};

TEST(BlendArgb, WorkedValues)
{
    const BlendCase cases[] = {
        {0xFFFFFFFF, 0x80000000, 0xFF7F7F7F},  // half-transparent black over white
        {0x00000000, 0x80FF0000, 0x80FF0000},  // over transparent black: kept as is
        {0x80FF0000, 0x800000FF, 0xC05400AA},  // t = 64, ao = 192
        {0xFF336699, 0x40FFFFFF, 0xFF668CB2},
        {0x12345678, 0xFFABCDEF, 0xFFABCDEF},  // opaque source wins
        {0x00345678, 0x00ABCDEF, 0x00345678},  // transparent source: destination, colour bytes included
        {0xFF000000, 0x00FFFFFF, 0xFF000000},
    };
    for (const BlendCase& c : cases)
        EXPECT_EQ(BlendArgb(c.d, c.s), c.expected) << std::hex << c.d << " under " << c.s;
}

TEST(BlendArgb, NoChannelOverflowsOverAllAlphaPairs)
{
    // White over white at every alpha pair: every channel must stay 255 or
    // below and the alpha must follow the source-over rule.
    for (uint32_t da = 0; da < 256; ++da) {
        for (uint32_t sa = 1; sa < 255; ++sa) {
            const ARGB r = BlendArgb(da << 24 | 0xFFFFFF, sa << 24 | 0xFFFFFF);
            const uint32_t ao = da + sa - da * sa / 255;
            ASSERT_EQ(r >> 24, ao);
            // An overflowing channel would carry into its neighbour.
            ASSERT_EQ((r >> 16) & 0xFF, r & 0xFF);
            ASSERT_EQ((r >> 8) & 0xFF, r & 0xFF);
        }
    }
}

}  // namespace
