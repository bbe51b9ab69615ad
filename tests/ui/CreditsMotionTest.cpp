// The arithmetic of the About box's credits, on every build.
#include <gtest/gtest.h>

#include "ui/dialogs/CreditsMotion.h"

namespace {

TEST(CreditsMotion, LinesFadeInAtTheBottomAndOutAtTheTop)
{
    const int32_t bottom = CreditsBottom(380);  // 1456
    ASSERT_EQ(bottom, 1456);
    struct Case {
        int32_t y;
        int32_t fade;
    };
    const Case cases[] = {
        {1, 2},     {64, 128},  {127, 254}, {128, 256},  {700, 256},
        {1328, 256}, {1329, 254}, {1392, 128}, {1455, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CreditsFade(c.y, bottom), c.fade) << c.y;
}

TEST(CreditsMotion, FlingDecaysAndWrapAroundRestartsAtTheBottom)
{
    CCreditsMotion motion;
    motion.Reset(100);
    EXPECT_EQ(motion.m_nScrollPos, 336);
    EXPECT_FALSE(motion.DragTo(50)) << "no drag without a press";
    motion.BeginDrag(60);
    EXPECT_TRUE(motion.DragTo(50));
    motion.EndDrag();
    EXPECT_EQ(motion.m_nScrollPos, 296);
    const int32_t flings[] = {40, 36, 32, 29, 26};
    int32_t expected = 296;
    for (int32_t fling : flings) {
        EXPECT_EQ(motion.m_nFling, fling);
        motion.Tick();
        expected -= fling + 1;
        EXPECT_EQ(motion.m_nScrollPos, expected);
    }

    motion.m_nScrollPos = -92 * 3;
    EXPECT_FALSE(motion.WrapAround(4));
    motion.m_nScrollPos -= 1;
    EXPECT_TRUE(motion.WrapAround(4));
    EXPECT_EQ(motion.m_nScrollPos, 336);
    motion.m_nScrollPos = -5000;
    EXPECT_FALSE(motion.WrapAround(0)) << "no credits, nothing to restart";
}

}  // namespace
