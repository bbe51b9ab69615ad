// The renderer's PNG writer cuts the rows into bands that threads compress
// side by side; libpng and the renderer's own reader must read back the
// very pixels, in every colour type, with the checksums they verify, and
// the file must not depend on the number of threads.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "PngImage.h"
#include "PngStream.h"
#include "WorkerThreadCounts.h"

namespace {

RasterImage Pattern(int width, int height, int planes)
{
    RasterImage image;
    image.width = width;
    image.height = height;
    image.planes = planes;
    image.pixels.resize(size_t(width) * height * planes);
    uint32_t seed = 7;
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        // Smooth runs with noise in them, so every band compresses to
        // something of its own.
        seed = seed * 1103515245u + 12345u;
        image.pixels[i] = static_cast<uint8_t>(i / 7 + ((seed >> 16) & 3));
    }
    return image;
}

TEST(PngStream, ReadsBackTheSamePixelsForAnyCut)
{
    const std::string path = ::testing::TempDir() + "png-stream.png";
    for (int planes : {1, 3, 4}) {
        const RasterImage image = Pattern(301, 1100, planes);
        std::string first;
        for (int threads : kThreadCounts) {
            SCOPED_TRACE(::testing::Message() << planes << " planes, " << threads << " threads");
            CScopedWorkerThreads scoped(threads);
            FILE* file = std::fopen(path.c_str(), "wb");
            ASSERT_NE(file, nullptr);
            std::string error;
            EXPECT_TRUE(WritePngStream(file, image, error)) << error;
            std::fclose(file);
            std::ifstream written(path, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
            if (threads == kThreadCounts[0])
                first = bytes;
            EXPECT_TRUE(bytes == first) << "the file changed with the thread count";
            const PngLoad load = planes == 1 ? PngLoad::Grey : PngLoad::Colour;
            for (const RasterImage& back : {ReadPngWithLibpng(path, load), ReadPng(path, load)}) {
                EXPECT_EQ(back.width, image.width);
                EXPECT_EQ(back.height, image.height);
                EXPECT_EQ(back.planes, image.planes);
                EXPECT_TRUE(back.pixels == image.pixels);
            }
        }
    }
    std::remove(path.c_str());
}

}  // namespace
