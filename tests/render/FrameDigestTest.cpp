#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "SceneHelpers.h"
#include "WorkerThreadCounts.h"
#include "render/Render3D.h"

namespace {

// A texture with every kind of texel the filter treats differently:
// opaque, translucent at many levels and fully transparent, in colours
// that change from texel to texel.
std::vector<ARGB> PatternTexture(int32_t w, int32_t h)
{
    std::vector<ARGB> t(size_t(w) * size_t(h));
    uint32_t seed = 2024;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int dx = x - w / 2, dy = y - h / 2;
            const int r2 = dx * dx * 4 + dy * dy * 9;
            uint32_t alpha = r2 < 300 ? 255 : r2 < 1500 ? (1500 - r2) * 255 / 1200 : 0;
            if ((x / 5 + y / 3) % 4 == 0)
                alpha = alpha / 2;
            t[size_t(y) * size_t(w) + size_t(x)] = alpha << 24 | ((seed >> 8) & 0xFFFFFF);
        }
    return t;
}

// A turned, perspective-seen plane with its two opposite copies, like the
// shadow, plus a translucent square behind it.
uint64_t RenderDigestFrame()
{
    scene::Frame f(320, 240, 4);
    CRender3D engine;
    engine.Init(f.width, f.height, f.pixels.data(), f.stride, nullptr);
    engine.m_dFocal = 380;
    engine.m_dCenterX = 150.25;
    const std::vector<ARGB> texture = PatternTexture(48, 36);
    engine.AddTexture(48, 36, texture.data(), 48);
    scene::AddUniformTexture(engine, 0x603080C0, 2, 2);

    const int32_t plane = scene::AddPlane(engine, 9, 200, 150);
    engine.AddRect(plane, 0, 1, 2, 3);
    engine.AddRect(plane, 3, 2, 1, 0);
    engine.TranslateObject(plane, 0, -75, 0);  // hinged at its bottom edge
    engine.RotateObject(plane, 48.5, -31.3, 11);
    engine.TranslateObject(plane, 12, 40, 330);

    const int32_t back = scene::AddPlane(engine, 9, 300, 120);
    engine.AddRect(back, 0, 1, 2, 3);
    engine.Object(back).texture = 1;
    engine.RotateObject(back, 0, 0, -8);
    engine.TranslateObject(back, -20, 10, 700);

    engine.Render();
    EXPECT_GT(f.CountDrawn(), 5000);
    return scene::Fnv1a(f.pixels.data(), f.pixels.size());
}

// The digest of that frame must be the same in the native and both Windows
// builds, and for any number of threads drawing bands of it.
TEST(FrameDigest, SameBytesOnEveryBuild)
{
    for (int threads : kThreadCounts) {
        SCOPED_TRACE(threads);
        CScopedWorkerThreads scoped(threads);
        EXPECT_EQ(RenderDigestFrame(), 0x50ecb539aa971779ull);
    }
}

}  // namespace
