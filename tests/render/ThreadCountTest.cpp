// Every stage that the worker threads share (the object scan, the buffer
// builds, the fade and both blur passes, the bands of the render, the
// compositing and the preview) must give the same bytes for any number of
// threads, and a run that only confirms the same result as one that also
// fed a preview. Random parameter sets on documents of each kind, large
// enough that seven threads each get rows of their own.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "Fnv1a.h"
#include "WorkerThreadCounts.h"
#include "render/ShadowScene.h"

namespace {

// A document of one kind: a layer (four planes), a layer with a selection,
// or a flat image (three planes) with a selection.
struct Document {
    int w, h, planes;
    std::vector<uint8_t> in;
    std::vector<uint8_t> mask;  // empty: none
};

Document MakeDocument(int planes, bool withMask)
{
    Document d{230, 470, planes, {}, {}};
    d.in.resize(size_t(d.w) * d.h * planes);
    if (withMask)
        d.mask.resize(size_t(d.w) * d.h);
    for (int y = 0; y < d.h; ++y)
        for (int x = 0; x < d.w; ++x) {
            uint8_t* p = &d.in[(size_t(y) * d.w + x) * planes];
            p[0] = static_cast<uint8_t>(x * 5 + y);
            p[1] = static_cast<uint8_t>(y * 3);
            p[2] = static_cast<uint8_t>(x ^ y);
            // A soft ring and a hard bar, so edges of every kind occur.
            const int dx = x - 110, dy = y - 260;
            const int d2 = dx * dx + dy * dy;
            const int ring = d2 < 60 * 60 ? 255 : d2 < 75 * 75 ? (75 * 75 - d2) * 255 / (75 * 75 - 60 * 60) : 0;
            const int bar = x >= 40 && x < 70 && y >= 90 && y < 400 ? 200 : 0;
            const int alpha = ring > bar ? ring : bar;
            if (planes >= 4)
                p[3] = static_cast<uint8_t>(alpha);
            if (withMask)
                d.mask[size_t(y) * d.w + x] = static_cast<uint8_t>(planes >= 4 ? 255 - (x % 97) : alpha);
        }
    return d;
}

ShadowParams RandomParams(uint32_t& seed)
{
    ShadowParams p = DefaultShadowParams();
    for (const ShadowParamInfo& info : kShadowParamTable) {
        seed = seed * 1664525u + 1013904223u;
        const uint32_t r = seed >> 8;
        if (info.hasRange)
            p.*info.field = info.minimum + static_cast<int32_t>(r % uint32_t(info.maximum - info.minimum + 1));
    }
    seed = seed * 1664525u + 1013904223u;
    p.color = static_cast<int32_t>(seed & 0xFFFFFF);
    p.outside = (seed >> 24) & 1;
    p.shadowPosition = static_cast<int32_t>((seed >> 25) % 3);
    return p;
}

struct Result {
    uint64_t output;   // the host's output after the confirming render
    uint64_t preview;  // the view buffer after one preview render
};

Result RunDocument(const Document& d, const ShadowParams& p, bool withPreview, bool inPlace)
{
    std::vector<uint8_t> in = d.in;
    std::vector<uint8_t> out = d.in;
    const HostBuffers host = HostBuffers::Packed(d.w, d.h, d.planes, in.data(), inPlace ? in.data() : out.data(),
                                                 d.mask.empty() ? nullptr : d.mask.data());
    RunGeometry g;
    EXPECT_EQ(ComputeRunGeometry(host, g), RunRefusal::None);
    CShadowScene scene(host, g);
    Result r{0, 0};
    if (withPreview) {
        scene.InitShadowRenderer(180, 300);
        scene.BuildShadowPlane();
        scene.BuildShadowTexture(p);
        scene.RenderShadow(false, p);
        Fnv1a view;
        for (int y = 0; y < scene.m_dibView.GetHeight(); ++y)
            for (int x = 0; x < scene.m_dibView.GetWidth(); ++x)
                view.Word32(scene.m_dibView.Row(y)[x]);
        r.preview = view.Value();
    } else {
        scene.InitFinalRenderer();
        EXPECT_TRUE(scene.m_dibImage.IsEmpty() && scene.m_dibView.IsEmpty());
        scene.BuildShadowTexture(p);
        scene.BuildShadowPlane();
    }
    scene.RenderShadow(true, p);
    const std::vector<uint8_t>& result = inPlace ? in : out;
    Fnv1a digest;
    digest.Bytes(result.data(), result.size());
    r.output = digest.Value();
    return r;
}

TEST(ThreadCount, SameBytesForAnyNumberOfThreads)
{
    const Document documents[] = {MakeDocument(4, false), MakeDocument(4, true), MakeDocument(3, true)};
    uint32_t seed = 18;
    for (const Document& d : documents) {
        for (int round = 0; round < 4; ++round) {
            const ShadowParams p = RandomParams(seed);
            SCOPED_TRACE(::testing::Message() << "planes " << d.planes << " mask " << !d.mask.empty() << " blur "
                                              << p.blur << " angles " << p.angleX << "/" << p.angleY << "/"
                                              << p.angleZ << " zoom " << p.zoom);
            Result first{0, 0};
            for (int threads : kThreadCounts) {
                CScopedWorkerThreads scoped(threads);
                const Result shown = RunDocument(d, p, true, false);
                const Result confirmed = RunDocument(d, p, false, threads == 2);
                if (threads == kThreadCounts[0])
                    first = shown;
                EXPECT_EQ(shown.output, first.output) << threads << " threads";
                EXPECT_EQ(shown.preview, first.preview) << threads << " threads";
                // Without a preview, and with the output written over the
                // input, the result is the same.
                EXPECT_EQ(confirmed.output, first.output) << threads << " threads";
            }
        }
    }
}

}  // namespace
