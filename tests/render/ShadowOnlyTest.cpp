// Shadow only: the result is the shadow alone on transparency, so that the
// untouched layer composited with it gives the normal result again -- the
// layer over it where the shadow lies behind the object, it over the layer
// where the shadow lies over everything.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "DigestLayer.h"
#include "render/ShadowScene.h"

namespace {

std::vector<uint8_t> RunScene(const std::vector<uint8_t>& in, int w, int h, const ShadowParams& p, bool finalOnly)
{
    std::vector<uint8_t> out(in.size(), 0xCD);  // the output is never read
    const HostBuffers host = HostBuffers::Packed(w, h, 4, in.data(), out.data());
    RunGeometry g;
    EXPECT_EQ(ComputeRunGeometry(host, g), RunRefusal::None);
    CShadowScene scene(host, g);
    if (finalOnly)
        scene.InitFinalRenderer();
    else
        scene.InitShadowRenderer();
    scene.BuildShadowTexture(p);
    scene.BuildShadowPlane();
    scene.RenderShadow(true, p);
    return out;
}

ARGB PixelAt(const std::vector<uint8_t>& px, size_t i) { return HostBytesToArgb(&px[i * 4], px[i * 4 + 3]); }

int Difference(ARGB a, ARGB b)
{
    int most = 0;
    for (int shift = 0; shift < 32; shift += 8)
        most = std::max(most, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
    return most;
}

TEST(ShadowOnly, LayerAndShadowComposeToTheNormalResult)
{
    const int w = 150, h = 120;
    const std::vector<uint8_t> layer = MakeDigestLayer(w, h, true);
    const char* presets[] = {"Cast In Front", "Cast On Left Wall", "Flat Faint Shadow", "Rear Shadow"};
    for (const char* name : presets)
        for (int outside = 0; outside <= 1; ++outside)
            for (int finalOnly = 0; finalOnly <= 1; ++finalOnly) {
                SCOPED_TRACE(testing::Message() << name << " outside " << outside << " final-only " << finalOnly);
                ShadowParams p = FindBuiltInPreset(name)->params;
                p.outside = outside;
                p.softness = 40;
                const std::vector<uint8_t> normal = RunScene(layer, w, h, p, finalOnly != 0);
                p.shadowOnly = 1;
                const std::vector<uint8_t> alone = RunScene(layer, w, h, p, finalOnly != 0);
                int worst = 0, shadowPixels = 0, objectPixelsKept = 0;
                for (size_t i = 0; i < size_t(w) * h; ++i) {
                    const ARGB s = PixelAt(alone, i), o = PixelAt(layer, i);
                    const ARGB rebuilt = outside ? BlendArgb(s, o) : BlendArgb(o, s);
                    worst = std::max(worst, Difference(rebuilt, PixelAt(normal, i)));
                    shadowPixels += (s >> 24) != 0;
                    objectPixelsKept += (o >> 24) == 255 && s == o;
                }
                EXPECT_LE(worst, 1);
                EXPECT_GT(shadowPixels, 300);
                EXPECT_EQ(objectPixelsKept, 0);  // the object itself is gone
            }
}

// A flat image cannot hold the shadow alone: the scene renders it as usual
// (the run refuses the request before it gets here).
TEST(ShadowOnly, FlatImageKeepsTheNormalComposite)
{
    const int w = 60, h = 50;
    std::vector<uint8_t> in(size_t(w) * h * 3, 180), mask(size_t(w) * h, 0);
    for (int y = 10; y < 30; ++y)
        for (int x = 15; x < 40; ++x)
            mask[size_t(y) * w + x] = 255;
    ShadowParams p = DefaultShadowParams();
    p.posX = 12;
    std::vector<uint8_t> normal(in.size()), alone(in.size());
    for (int only = 0; only <= 1; ++only) {
        const HostBuffers host = HostBuffers::Packed(w, h, 3, in.data(), only ? alone.data() : normal.data(), mask.data());
        RunGeometry g;
        ASSERT_EQ(ComputeRunGeometry(host, g), RunRefusal::None);
        CShadowScene scene(host, g);
        scene.InitShadowRenderer();
        p.shadowOnly = only;
        scene.BuildShadowTexture(p);
        scene.BuildShadowPlane();
        scene.RenderShadow(true, p);
    }
    EXPECT_EQ(alone, normal);
}

}  // namespace
