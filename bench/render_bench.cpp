// CRender3D::Render on a 4000 x 3000 frame holding one turned, perspective-
// seen textured quad of about 2000 x 2000 pixels: the work of every preview
// update. Reported per render (the benchmark's time, clear included) and per
// pixel the quad covers (time_per_px).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "render/Render3D.h"

namespace {

const int32_t kWidth = 4000, kHeight = 3000;
const int32_t kTexW = 1040, kTexH = 1040;

// A shadow-like texture: one colour, translucent in the middle and fading
// from top to bottom, a soft rim and transparent around it.
std::vector<ARGB> SoftDiscTexture()
{
    std::vector<ARGB> t(size_t(kTexW) * kTexH);
    for (int32_t y = 0; y < kTexH; ++y)
        for (int32_t x = 0; x < kTexW; ++x) {
            const int64_t dx = x - kTexW / 2, dy = y - kTexH / 2;
            const int64_t r2 = dx * dx + dy * dy;
            const int64_t inner = 420 * 420, outer = 500 * 500;
            const int64_t top = 80 + 160 * (kTexH - y) / kTexH;
            const int64_t a = r2 <= inner ? top : r2 >= outer ? 0 : top * (outer - r2) / (outer - inner);
            t[size_t(y) * kTexW + size_t(x)] = ARGB(a) << 24 | 0x101018;
        }
    return t;
}

// Every texel different: the whole bilinear filter runs at every pixel.
std::vector<ARGB> NoiseTexture()
{
    std::vector<ARGB> t(size_t(kTexW) * kTexH);
    uint32_t seed = 7;
    for (ARGB& p : t) {
        seed = seed * 1664525u + 1013904223u;
        p = seed | 0x01000000;
    }
    return t;
}

struct Scene {
    std::vector<ARGB> frame;
    CRender3D engine;

    explicit Scene(const std::vector<ARGB>* texture) : frame(size_t(kWidth) * kHeight)
    {
        engine.Init(kWidth, kHeight, frame.data(), kWidth, nullptr);
        engine.m_dFocal = 3000;
        if (!texture)
            return;
        engine.AddTexture(kTexW, kTexH, texture->data(), kTexW);
        const int32_t o = engine.AddObject(9, 0);
        const double hw = 990, hh = 1120;
        const double corners[4][4] = {{-hw, -hh, 0, 0}, {hw, -hh, 1, 0}, {hw, hh, 1, 1}, {-hw, hh, 0, 1}};
        for (const auto& c : corners) {
            CNode3D n = {};
            n.x = c[0], n.y = c[1], n.nz = -1, n.u = c[2], n.v = c[3];
            engine.AddNode(o, n);
        }
        engine.AddRect(o, 0, 1, 2, 3);
        engine.AddRect(o, 3, 2, 1, 0);
        engine.RotateObject(o, 38, 12, 4);
        engine.TranslateObject(o, 0, 0, 3000);
    }

    // Pixels the quad covers: rendered once with every texel opaque.
    static int64_t Coverage()
    {
        const std::vector<ARGB> opaque(size_t(kTexW) * kTexH, 0xFFFFFFFF);
        Scene s(&opaque);
        s.engine.Render();
        int64_t n = 0;
        for (ARGB p : s.frame)
            n += p != 0;
        return n;
    }
};

void RunRender(benchmark::State& state, const std::vector<ARGB>* texture)
{
    Scene scene(texture);
    for (auto _ : state) {
        scene.engine.Render();
        benchmark::DoNotOptimize(scene.frame.data());
        benchmark::ClobberMemory();
    }
    if (texture) {
        static const int64_t covered = Scene::Coverage();
        state.counters["pixels"] = double(covered);
        state.counters["time_per_px"] =
            benchmark::Counter(double(covered), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    }
}

void BM_RenderShadowLikeQuad(benchmark::State& state)
{
    static const std::vector<ARGB> texture = SoftDiscTexture();
    RunRender(state, &texture);
}

void BM_RenderNoiseQuad(benchmark::State& state)
{
    static const std::vector<ARGB> texture = NoiseTexture();
    RunRender(state, &texture);
}

// The clear alone, for reading the figures above.
void BM_RenderEmptyScene(benchmark::State& state) { RunRender(state, nullptr); }

}  // namespace

BENCHMARK(BM_RenderShadowLikeQuad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderNoiseQuad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderEmptyScene)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
