// Stages of one shadow run on a 4000 x 3000 RGBA layer holding an opaque
// object of about 2000 x 2000, with the default values and with "Cast In
// Front" (blur 70), and the preview update that runs on every slider move.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "render/ShadowScene.h"
#include "render/SoftBlur.h"

namespace {

const int kWidth = 4000, kHeight = 3000;

struct BigLayer {
    std::vector<uint8_t> in, out;
    HostBuffers host;
    RunGeometry geometry;

    BigLayer() : in(size_t(kWidth) * kHeight * 4)
    {
        // An opaque disc of radius 1000 with a soft 3-pixel rim.
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                uint8_t* p = &in[(size_t(y) * kWidth + x) * 4];
                const double d = std::sqrt(double(x - 2000) * (x - 2000) + double(y - 1500) * (y - 1500));
                p[0] = static_cast<uint8_t>(x);
                p[1] = static_cast<uint8_t>(y);
                p[2] = 128;
                p[3] = d <= 997 ? 255 : d >= 1000 ? 0 : static_cast<uint8_t>((1000 - d) * 85);
            }
        out = in;
        host = HostBuffers::Packed(kWidth, kHeight, 4, in.data(), out.data());
        ComputeRunGeometry(host, geometry);
    }
};

BigLayer& Layer()
{
    static BigLayer layer;
    return layer;
}

ShadowParams ParamsFor(int preset)
{
    return preset < 0 ? DefaultShadowParams() : kBuiltInPresets[preset].params;
}

void SetLabel(benchmark::State& state, int preset)
{
    state.SetLabel(preset < 0 ? "defaults" : kBuiltInPresets[preset].name);
}

void BM_RunGeometry(benchmark::State& state)
{
    BigLayer& l = Layer();
    RunGeometry g;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeRunGeometry(l.host, g));
}

void BM_InitShadowRenderer(benchmark::State& state)
{
    BigLayer& l = Layer();
    for (auto _ : state) {
        CShadowScene scene(l.host, l.geometry);
        scene.InitShadowRenderer(900, 560);
    }
}

// A scene of the big layer for the preset (or the defaults), built up to
// the given stage: 0 buffers only, 1 with plane and texture, 2 also rendered.
std::unique_ptr<CShadowScene> SceneUpTo(int stage, const ShadowParams& p, int clientWidth = 0, int clientHeight = 0)
{
    BigLayer& l = Layer();
    std::unique_ptr<CShadowScene> scene(new CShadowScene(l.host, l.geometry));
    scene->InitShadowRenderer(clientWidth, clientHeight);
    if (stage >= 1) {
        scene->BuildShadowTexture(p);
        scene->BuildShadowPlane();
    }
    if (stage >= 2)
        scene->RenderFrame(false, p);
    return scene;
}

void BM_BuildShadowTexture(benchmark::State& state)
{
    const int preset = static_cast<int>(state.range(0));
    const auto scene = SceneUpTo(0, ParamsFor(preset));
    for (auto _ : state)
        scene->BuildShadowTexture(ParamsFor(preset));
    SetLabel(state, preset);
}

void BM_RenderFrame(benchmark::State& state)
{
    const int preset = static_cast<int>(state.range(0));
    const auto scene = SceneUpTo(1, ParamsFor(preset));
    for (auto _ : state)
        scene->RenderFrame(false, ParamsFor(preset));
    SetLabel(state, preset);
}

void BM_CompositeShadow(benchmark::State& state)
{
    const int preset = static_cast<int>(state.range(0));
    const auto scene = SceneUpTo(2, ParamsFor(preset));
    for (auto _ : state)
        scene->CompositeShadow(ParamsFor(preset));
    SetLabel(state, preset);
}

// What a slider move of an angle costs: render plus the view composite.
void BM_PreviewUpdate(benchmark::State& state)
{
    const int preset = static_cast<int>(state.range(0));
    const auto scene = SceneUpTo(1, ParamsFor(preset), 901, 561);  // a 900 x 560 view
    for (auto _ : state)
        scene->RenderShadow(false, ParamsFor(preset));
    SetLabel(state, preset);
}

// The blur of the texture alone at a blur value and a softness, on the
// faded silhouette of the big layer's crop box (about 2040 x 2040) hinged at
// its bottom: softness 0 is the uniform blur the others are held against.
void BM_SoftBlur(benchmark::State& state)
{
    const int blur = static_cast<int>(state.range(0));
    const int softness = static_cast<int>(state.range(1));
    const RunGeometry& g = Layer().geometry;
    const int w = g.CropWidth(), h = g.CropHeight();
    std::vector<ARGB> source(size_t(w) * h), pixels(source.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            source[size_t(y) * w + x] = uint32_t(Layer().host.InPixel(g.cropLeft + x, g.cropTop + y)[3]) << 24;
    std::vector<ARGB*> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        rows[y] = pixels.data() + size_t(y) * w;
    const SoftBlurSpan span{h - 1 - kCropMargin, kCropMargin};
    for (auto _ : state) {
        state.PauseTiming();
        pixels = source;
        state.ResumeTiming();
        SoftBlurInPlace(rows.data(), w, h, blur / 5.0, softness, span);
    }
    state.SetLabel("blur " + std::to_string(blur) + " softness " + std::to_string(softness));
}

const int kDefaults = -1, kCastInFront = 0;

BENCHMARK(BM_RunGeometry)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InitShadowRenderer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildShadowTexture)->Arg(kDefaults)->Arg(kCastInFront)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderFrame)->Arg(kDefaults)->Arg(kCastInFront)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompositeShadow)->Arg(kDefaults)->Arg(kCastInFront)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SoftBlur)
    ->ArgsProduct({{20, 70, 120}, {0, 10, 30, 50, 80, 100}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewUpdate)->Arg(kDefaults)->Arg(kCastInFront)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
