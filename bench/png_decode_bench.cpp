// How fast the renderer reads a PNG: its own reader (libdeflate, rows
// reconstructed in place) against libpng, the reader it stands in for, in
// the same run on the same file, and libdeflate's inflating alone as the
// floor. Each way reads the file from disk (the file cache, after the first
// run) into a fresh image, RUNS times; the fastest and the median wall
// time and the median processor time (all threads) are printed, and the two
// readers must give the same pixels.
//
//   png_decode_bench FILE.png [RUNS] [--threads N]
//
// Not a test.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "PngChunks.h"
#include "PngDeep.h"
#include "PngFastDecode.h"
#include "PngImage.h"
#include "PngInflate.h"
#include "imaging/WorkerThreads.h"

namespace {

double Milliseconds()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The processor time of every thread of the process: on a machine that
// other work keeps busy, the figure the wall time would show on an idle one
// (for work on one thread).
double ProcessorMilliseconds()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void Time(const char* name, int runs, const std::function<void()>& what)
{
    std::vector<double> times, processor;
    for (int i = 0; i < runs; ++i) {
        const double start = Milliseconds(), startProcessor = ProcessorMilliseconds();
        what();
        times.push_back(Milliseconds() - start);
        processor.push_back(ProcessorMilliseconds() - startProcessor);
    }
    std::sort(times.begin(), times.end());
    std::sort(processor.begin(), processor.end());
    std::printf("%-40s wall min %6.1f median %6.1f ms, processor median %6.1f ms\n", name, times.front(),
                times[times.size() / 2], processor[processor.size() / 2]);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    int threads = 0;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--threads") {
            threads = std::atoi(args[i + 1].c_str());
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            break;
        }
    }
    if (args.empty()) {
        std::fprintf(stderr, "usage: png_decode_bench FILE.png [RUNS] [--threads N]\n");
        return 2;
    }
    if (threads > 0)
        SetWorkerThreadCount(threads);
    const std::string path = args[0];
    const int runs = args.size() > 1 ? std::max(1, std::atoi(args[1].c_str())) : 7;
    try {
        // As the renderer reads an input: at its own depth where it keeps
        // it, else as 8-bit colour.
        RasterImage probe;
        const bool deep = ReadPngAtOwnDepthWithLibpng(path, probe);
        const auto viaLibpng = [&] {
            RasterImage image;
            if (!deep)
                image = ReadPngWithLibpng(path, PngLoad::Colour);
            else
                ReadPngAtOwnDepthWithLibpng(path, image);
            return image;
        };
        const auto viaReader = [&] {
            RasterImage image;
            if (!ReadPngAtOwnDepth(path, image))
                image = ReadPng(path, PngLoad::Colour);
            return image;
        };
        const RasterImage a = viaLibpng(), b = viaReader();
        const bool same = a.width == b.width && a.height == b.height && a.planes == b.planes && a.depth == b.depth &&
                          a.pixels == b.pixels;
        std::printf("%s: %d x %d, %d planes of %d bits; %d threads; the readers give %s pixels\n", path.c_str(),
                    a.width, a.height, a.planes, a.depth, WorkerThreadCount(), same ? "the same" : "DIFFERENT");
        Time("libpng (the reader before)", runs, [&] { viaLibpng(); });
        Time("the renderer's reader", runs, [&] { viaReader(); });

        LargeVector<uint8_t> file, joined;
        PngLayout layout;
        PngSpan stream{0, 0};
        const char* why = "";
        if (ReadFileBytes(path, file) && ReadPngLayout(file.data(), file.size(), layout, why) &&
            !layout.header.interlaced && JoinImageData(file.data(), layout, joined, stream)) {
            const uint8_t* data = (joined.empty() ? file.data() : joined.data()) + stream.offset;
            const size_t bytes = size_t(layout.header.height) * (layout.header.StoredRowBytes(layout.header.width) + 1);
            LargeVector<uint8_t> out(bytes, 0);
            Time("libdeflate inflating alone, warm buffer", runs,
                 [&] { InflateImageData(data, stream.size, out.data(), out.size()); });
        }
        return same ? 0 : 1;
    } catch (const CliError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
