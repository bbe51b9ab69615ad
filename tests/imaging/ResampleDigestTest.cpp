// The same blur gives the same bytes in every build (native, win32, win64)
// and for any number of threads sharing its lines: the shadow must not
// depend on the compiler, the platform's libraries or the machine.
#include <gtest/gtest.h>

#include "ResampleFixtures.h"
#include "WorkerThreadCounts.h"
#include "imaging/Dib.h"

namespace {

TEST(ResampleDigest, IdenticalInEveryBuild)
{
    CDib src;
    ASSERT_TRUE(src.Create(301, 203));
    FillPattern(src);
    const struct {
        int32_t code;
        double width;
        int w, h;
        uint64_t digest;
    } cases[] = {
        // The shadow blur: pure arithmetic, floor and ceil.
        {kStretchBilinear, 4.4, 301, 203, 0xef94cd8778c57699ull},  // blur 22
        {kStretchBilinear, 24, 301, 203, 0x884649c49e2d4f7aull},   // the widest blur
        // These kernels also go through exp and sin, which each build takes
        // from its own maths library (the Windows builds link MinGW's
        // statically): they must still round to the same bytes.
        {kStretchGaussian, 3, 190, 250, 0x21e28d1a96810e2cull},
        {kStretchBicubic, 2, 450, 120, 0x3f9189016f14a25cull},
        {kStretchLanczos3, 3, 120, 330, 0x835af47f14ae6309ull},
        {kStretchBox, 1.5, 77, 51, 0x3741ad68acb5aaf5ull},
    };
    for (int threads : kThreadCounts) {
        CScopedWorkerThreads scoped(threads);
        for (const auto& c : cases) {
            CDib out;
            ASSERT_TRUE(out.Create(c.w, c.h));
            src.Stretch(out, c.width, kStretchWholeDest, 0, c.code);
            EXPECT_EQ(Digest(out), c.digest) << std::hex << "code " << c.code << " width " << c.width << " gives 0x"
                                             << Digest(out) << " on " << std::dec << threads << " threads";
        }
    }
}

}  // namespace
