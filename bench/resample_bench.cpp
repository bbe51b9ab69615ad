// The shadow blur's cost: the tent kernel at unchanged size over a crop box
// of 2040 x 2040, an opaque disc on transparency, at blur 20 (width 4) and
// blur 120 (width 24, the widest, a 49-sample window).
#include <benchmark/benchmark.h>

#include "imaging/Dib.h"

namespace {

// With `faded`, alpha falls from 255 on the top row to 55 on the bottom one,
// as a shadow at an intensity below 100 does: then no two rows are alike and
// the vertical pass finds few flat windows.
void PaintDisc(CDib& dib, bool faded)
{
    const int size = dib.GetWidth();
    const int c = size / 2, r = size * 2 / 5;
    for (int y = 0; y < dib.GetHeight(); ++y) {
        const uint32_t alpha = faded ? 255 - static_cast<uint32_t>(y) * 200 / size : 255;
        for (int x = 0; x < size; ++x) {
            const int dx = x - c, dy = y - c;
            dib.Row(y)[x] = dx * dx + dy * dy <= r * r ? alpha << 24 | 0x202020u : 0u;
        }
    }
}

void Blur(benchmark::State& state, bool faded)
{
    const int size = 2040;
    const double width = static_cast<double>(state.range(0));
    CDib src, dst;
    if (!src.Create(size, size) || !dst.Create(size, size)) {
        state.SkipWithError("cannot allocate the buffers");
        return;
    }
    PaintDisc(src, faded);
    for (auto _ : state) {
        src.Stretch(dst, width, kStretchWholeDest, 0, kStretchBilinear);
        benchmark::DoNotOptimize(dst.GetPixels());
        benchmark::ClobberMemory();
    }
    const double pixels = static_cast<double>(size) * size;
    state.counters["ns_per_px"] =
        benchmark::Counter(pixels, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ShadowBlur(benchmark::State& state) { Blur(state, false); }
void BM_ShadowBlurFaded(benchmark::State& state) { Blur(state, true); }

BENCHMARK(BM_ShadowBlur)->Arg(4)->Arg(24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ShadowBlurFaded)->Arg(4)->Arg(24)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
