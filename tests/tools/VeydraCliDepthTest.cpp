// `veydra render` on grey and 16-bit PNG files: the result keeps the file's
// depth and planes, matches the 8-bit result of the reduced picture, and a
// render that lays no shadow gives back every sample unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "PngDeep.h"
#include "PngImage.h"
#include "render/DocumentPlanes.h"
#include "tools/CliSupport.h"

namespace {

int RunVeydra(const std::string& args) { return RunCommand(std::string(VEYDRA_EXE) + " " + args + " 2>&1").status; }

uint16_t Sample16(const RasterImage& img, size_t i)
{
    uint16_t v;
    std::memcpy(&v, img.pixels.data() + 2 * i, 2);
    return v;
}

struct DepthCase {
    int planes;  // 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA
    int depth;
};

class VeydraCliDepth : public ::testing::TestWithParam<DepthCase> {
protected:
    std::string Path(const std::string& name) const { return m_scratch.Path(name); }

    static const int W = 90, H = 70;
    // A soft disc with colours that vary, at 8 bits: value of plane c at (x, y).
    static int Value8(int x, int y, int c, int planes)
    {
        const bool alphaPlane = planes % 2 == 0 && c == planes - 1;
        if (alphaPlane) {
            const int d2 = (x - 45) * (x - 45) + (y - 30) * (y - 30);
            return d2 < 15 * 15 ? 255 : d2 < 21 * 21 ? (21 * 21 - d2) * 255 / (21 * 21 - 15 * 15) : 0;
        }
        return (x * 3 + y * 5 * c + 40 * c) & 0xFF;
    }
    // The mask of a flat picture: the same disc.
    std::string WriteMask()
    {
        RasterImage m;
        m.width = W, m.height = H, m.planes = 1;
        m.pixels.resize(size_t(W) * H);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                m.pixels[size_t(y) * W + x] = static_cast<uint8_t>(Value8(x, y, 1, 2));
        WritePngAtomically(Path("mask.png"), m);
        return Path("mask.png");
    }
    // The picture at `depth`; 16-bit samples sit anywhere in their 8-bit
    // value's bin, so they are not just the 8-bit ones scaled.
    std::string WritePicture(const std::string& name, int planes, int depth)
    {
        RasterImage img;
        img.width = W, img.height = H, img.planes = planes, img.depth = depth;
        img.pixels.resize(size_t(img.RowBytes()) * H);
        uint32_t seed = 99;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                for (int c = 0; c < planes; ++c) {
                    const size_t i = (size_t(y) * W + x) * planes + c;
                    const int v = Value8(x, y, c, planes);
                    if (depth == 8) {
                        img.pixels[i] = static_cast<uint8_t>(v);
                    } else {
                        seed = seed * 1103515245 + 12345;
                        const int jitter = v == 0 || v == 255 ? 0 : int(seed >> 16) % 257 - 128;
                        const uint16_t s = static_cast<uint16_t>(v * 257 + jitter);
                        EXPECT_EQ(ReduceTo8(s, 65535), uint32_t(v));
                        std::memcpy(img.pixels.data() + 2 * i, &s, 2);
                    }
                }
        WritePngAtomically(Path(name), img);
        return Path(name);
    }

    CScratchFolder m_scratch{"veydra-depth"};
};

TEST_P(VeydraCliDepth, KeepsDepthAndMatchesTheEightBitResult)
{
    const DepthCase c = GetParam();
    const bool layer = c.planes % 2 == 0;
    const std::string mask = layer ? "" : " --mask " + WriteMask();
    const std::string deep = WritePicture("deep.png", c.planes, c.depth);
    const std::string eight = WritePicture("eight.png", c.planes, 8);
    const std::string look = " --preset 'Cast In Front' --color 3366cc --transparency 20";
    ASSERT_EQ(RunVeydra("render " + deep + mask + look + " -o " + Path("deep-out.png")), 0);
    ASSERT_EQ(RunVeydra("render " + eight + mask + look + " -o " + Path("eight-out.png")), 0);

    RasterImage out, ref, in;
    ASSERT_TRUE(ReadPngAtOwnDepth(Path("deep-out.png"), out) || c.depth == 8);
    if (c.depth == 8 && c.planes >= 3)
        out = ReadPng(Path("deep-out.png"), PngLoad::Colour);
    EXPECT_EQ(out.planes, c.planes);
    EXPECT_EQ(out.depth, c.depth);
    if (c.planes >= 3)
        ref = ReadPng(Path("eight-out.png"), PngLoad::Colour);
    else
        ASSERT_TRUE(ReadPngAtOwnDepth(Path("eight-out.png"), ref));
    ASSERT_EQ(ref.planes, c.planes);

    // Within 1 everywhere on a flat picture; on a layer the transparency
    // within 1 and the colour within 2 where the result is at least half
    // opaque (DeepCompositingTest says why).
    int worst = 0, changed = 0;
    const int colours = c.planes <= 2 ? 1 : 3;
    for (int i = 0; i < W * H; ++i) {
        const size_t base = size_t(i) * c.planes;
        const int refAlpha = layer ? ref.pixels[base + colours] : 255;
        for (int k = 0; k < c.planes; ++k) {
            const int got = c.depth == 16 ? int(ReduceTo8(Sample16(out, base + k), 65535)) : out.pixels[base + k];
            const int want = ref.pixels[base + k];
            changed += want != Value8(i % W, i / W, k, c.planes);
            const bool isAlpha = layer && k == colours;
            if (!layer || isAlpha)
                EXPECT_LE(std::abs(got - want), 1) << i << " " << k;
            else if (refAlpha >= 128)
                worst = std::max(worst, std::abs(got - want));
        }
    }
    EXPECT_LE(worst, 2);
    EXPECT_GT(changed, 100);  // a shadow was cast

    // No shadow (fully transparent): the file's samples come back unchanged.
    ASSERT_EQ(RunVeydra("render " + deep + mask + " --preset 'Cast In Front' --transparency 100 --outside off -o " +
                        Path("none.png")),
              0);
    RasterImage none, original;
    if (c.depth == 16 || c.planes <= 2) {
        ASSERT_TRUE(ReadPngAtOwnDepth(Path("none.png"), none));
        ASSERT_TRUE(ReadPngAtOwnDepth(deep, original));
    } else {
        none = ReadPng(Path("none.png"), PngLoad::Colour);
        original = ReadPng(deep, PngLoad::Colour);
    }
    EXPECT_TRUE(none.pixels == original.pixels);

    // The shadow alone at 16 bits is the 8-bit shadow alone, each sample
    // expanded: reduced, it matches the 8-bit render of the reduced file.
    if (layer && c.depth == 16) {
        const std::string only = look + " --shadow-only";
        ASSERT_EQ(RunVeydra("render " + deep + only + " -o " + Path("deep-only.png")), 0);
        ASSERT_EQ(RunVeydra("render " + eight + only + " -o " + Path("eight-only.png")), 0);
        RasterImage deepOnly, eightOnly;
        ASSERT_TRUE(ReadPngAtOwnDepth(Path("deep-only.png"), deepOnly));
        if (c.planes == 4)
            eightOnly = ReadPng(Path("eight-only.png"), PngLoad::Colour);
        else
            ASSERT_TRUE(ReadPngAtOwnDepth(Path("eight-only.png"), eightOnly));
        ASSERT_EQ(deepOnly.planes, c.planes);
        ASSERT_EQ(eightOnly.pixels.size(), size_t(W) * H * c.planes);
        int differing = 0, shadowed = 0;
        for (size_t i = 0; i < eightOnly.pixels.size(); ++i) {
            differing += int(ReduceTo8(Sample16(deepOnly, i), 65535)) != eightOnly.pixels[i];
            shadowed += (i % c.planes) == size_t(c.planes - 1) && eightOnly.pixels[i] != 0;
        }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(shadowed, 100);
    }

    // A grey or 16-bit flat picture has no transparency to hold the shadow alone.
    if (!layer) {
        EXPECT_EQ(RunVeydra("render " + deep + mask + " --shadow-only -o " + Path("only.png")), 1);
        EXPECT_NE(access(Path("only.png").c_str(), F_OK), 0);
    }

    // The grown canvas holds 8-bit colour only: such a file is refused, not
    // quietly reduced, and nothing is written.
    EXPECT_EQ(RunVeydra("render " + deep + mask + " --fit -o " + Path("fit.png")), 1);
    EXPECT_NE(access(Path("fit.png").c_str(), F_OK), 0);
}

std::string CaseName(const ::testing::TestParamInfo<DepthCase>& info)
{
    const char* const names[] = {"", "Grey", "GreyAlpha", "Rgb", "Rgba"};
    return std::string(names[info.param.planes]) + std::to_string(info.param.depth);
}

INSTANTIATE_TEST_SUITE_P(Files, VeydraCliDepth,
                         ::testing::Values(DepthCase{4, 16}, DepthCase{3, 16}, DepthCase{2, 16}, DepthCase{1, 16},
                                           DepthCase{2, 8}, DepthCase{1, 8}),
                         CaseName);

}  // namespace
