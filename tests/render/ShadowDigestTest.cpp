// The whole filter result must be the same bytes on every build: the engine,
// the blur and the compositing all run in exact integer or IEEE double
// arithmetic. This renders a fixed scene and checks one digest that the
// native, win32 and win64 builds must all reach, on any number of threads.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "DigestLayer.h"
#include "Fnv1a.h"
#include "WorkerThreadCounts.h"
#include "render/ShadowScene.h"

namespace {

uint64_t RenderDigest(const ShadowParams& params)
{
    const int w = 150, h = 120;
    const std::vector<uint8_t> in = MakeDigestLayer(w, h);
    std::vector<uint8_t> out = in;
    const HostBuffers host = HostBuffers::Packed(w, h, 4, in.data(), out.data());
    RunGeometry g;
    EXPECT_EQ(ComputeRunGeometry(host, g), RunRefusal::None);
    CShadowScene scene(host, g);
    scene.InitShadowRenderer();
    scene.BuildShadowTexture(params);
    scene.BuildShadowPlane();
    scene.RenderShadow(true, params);
    EXPECT_NE(out, in);
    Fnv1a digest;
    digest.Bytes(out.data(), out.size());
    return digest.Value();
}

TEST(ShadowDigest, SameBytesOnEveryBuild)
{
    ShadowParams wall = FindBuiltInPreset("Cast On Left Wall")->params;
    wall.blur = 33;  // a fractional tent width: 6.6
    ShadowParams front = FindBuiltInPreset("Cast In Front 2")->params;
    front.angleZ = 17;
    front.color = 0x3366CC;
    front.outside = 0;
    for (int threads : kThreadCounts) {
        SCOPED_TRACE(threads);
        CScopedWorkerThreads scoped(threads);
        EXPECT_EQ(RenderDigest(wall), 0x3b6335723dcdd6b7ull);
        EXPECT_EQ(RenderDigest(front), 0x1085ea65d1125cafull);
    }
}

}  // namespace
