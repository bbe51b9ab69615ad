// Grey and 16-bit documents through the module, loaded by veydra-host under
// Wine as a host loads it: the 8-bit reduction of the 16-bit result against
// the 8-bit result, samples a shadow never reaches, grey results.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "host/PluginFixtures.h"
#include "support/ScreenshotFolder.h"

namespace {

uint32_t Rescale(uint32_t v, uint32_t from, uint32_t to) { return (v * to + from / 2) / from; }
uint32_t Reduce16(uint32_t v) { return Rescale(v, 65535, 255); }

// The disc layer (or, without alpha, a flat picture) at 16 bits: each sample
// its 8-bit value times 257 plus a ripple that stays within the 8-bit
// value's step after the host's scaling to 0..32768.
PngSamples Deep(const PngImage& eight)
{
    PngSamples deep;
    deep.width = eight.width;
    deep.height = eight.height;
    deep.channels = eight.hasAlpha ? 4 : 3;
    deep.depth = 16;
    for (size_t i = 0; i < size_t(eight.width) * eight.height; ++i)
        for (int c = 0; c < deep.channels; ++c) {
            const int v = eight.rgba[i * 4 + c];
            const int ripple = v == 0 || v == 255 ? 0 : int((i * 7 + c * 13) % 129) - 64;
            deep.samples.push_back(static_cast<uint16_t>(v * 257 + ripple));
        }
    return deep;
}

PngImage Picture(bool alpha)
{
    PngImage image = alpha ? DiscLayer() : FlatPicture();
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            uint8_t* p = &image.rgba[(size_t(y) * image.width + x) * 4];
            p[0] = static_cast<uint8_t>(x * 4), p[1] = static_cast<uint8_t>(y * 3 + 20), p[2] = static_cast<uint8_t>(x + y);
        }
    return image;
}

std::string SaveDeep(const std::string& name, const PngSamples& image)
{
    const std::string path = FixtureFolder() + name;
    std::string error;
    EXPECT_TRUE(WritePngSamples(path, image, error)) << error;
    return path;
}

PngSamples RunDeep(const std::string& input, const std::string& name, const std::string& extra)
{
    const std::string output = FixtureFolder() + name;
    const HostReport r = RunHost("run " + Quote(ModulePath()) + " " + Quote(input) + " -o " + Quote(output) + " " + extra);
    EXPECT_EQ(r.Result(3), 0) << r.Text();
    PngSamples out;
    std::string error;
    EXPECT_TRUE(ReadPngSamples(output, out, error)) << error << "\n" << r.Text();
    return out;
}

using DeepDocumentRun = PluginTest;

const char* const kLook = "--preset \"Cast In Front\" --set colR=13395507 --set traN=20";

TEST_F(DeepDocumentRun, SixteenBitResultReducesToTheEightBitOne)
{
    for (bool layer : {true, false}) {
        SCOPED_TRACE(layer ? "layer" : "flat image with a selection");
        const PngImage eight = Picture(layer);
        const std::string mask = layer ? "" : " --mask " + Quote(SaveFixture("deep-mask.png", RectMask(18, 10, 41, 35)));
        const std::string in8 = SaveFixture("deep-in8.png", eight);
        const std::string in16 = SaveDeep("deep-in16.png", Deep(eight));
        const PngSamples out8 = RunDeep(in8, "deep-out8.png", kLook + mask);
        const PngSamples out16 = RunDeep(in16, "deep-out16.png", std::string(kLook) + mask + " --depth 16");
        ASSERT_EQ(out16.depth, 16);
        ASSERT_EQ(out16.channels, out8.channels);
        const int planes = out8.channels;
        int worstAlpha = 0, worstColour = 0, changed = 0;
        for (size_t i = 0; i < size_t(64) * 64; ++i) {
            const int alpha = layer ? out8.samples[i * planes + 3] : 255;
            for (int c = 0; c < planes; ++c) {
                const int got = int(Reduce16(out16.samples[i * planes + c])), want = out8.samples[i * planes + c];
                changed += want != eight.rgba[i * 4 + c];
                // As in the native tests: transparency and flat colours
                // within 1, a layer's colour within 2 where at least half
                // opaque.
                if (c == 3 || !layer)
                    worstAlpha = std::max(worstAlpha, std::abs(got - want));
                else if (alpha >= 128)
                    worstColour = std::max(worstColour, std::abs(got - want));
            }
        }
        EXPECT_LE(worstAlpha, 1);
        EXPECT_LE(worstColour, layer ? 2 : 1);
        EXPECT_GT(changed, 100);
    }
}

TEST_F(DeepDocumentRun, SixteenBitFilesRoundTrip)
{
    const PngSamples deep = Deep(Picture(true));
    const std::string path = SaveDeep("deep-round-trip.png", deep);
    PngSamples back;
    std::string error;
    ASSERT_TRUE(ReadPngSamples(path, back, error)) << error;
    EXPECT_EQ(back.depth, 16);
    EXPECT_EQ(back.channels, 4);
    EXPECT_TRUE(back.samples == deep.samples);
}

TEST_F(DeepDocumentRun, SamplesNoShadowReachesComeBackExactly)
{
    // A shadow of transparency 100 reaches nothing: every sample is the
    // input's, through the host's scaling to 0..32768 and back.
    const PngSamples deep = Deep(Picture(true));
    const std::string in16 = SaveDeep("deep-none-in.png", deep);
    const PngSamples out = RunDeep(in16, "deep-none-out.png", "--set traN=100 --set outS=0 --depth 16");
    ASSERT_EQ(out.samples.size(), deep.samples.size());
    for (size_t i = 0; i < deep.samples.size(); ++i)
        ASSERT_EQ(out.samples[i], Rescale(Rescale(deep.samples[i], 65535, 32768), 32768, 65535)) << i << " in " << deep.samples[i];
}

TEST_F(DeepDocumentRun, GreyDocumentsGetGreyShadows)
{
    // A grey layer at 8 and 16 bits with a pure red shadow: grey out (with
    // alpha, written as RGBA with equal colours), the two depths agreeing
    // as above, and the shadow as dark as red's luma (76) allows.
    const std::string in = SaveFixture("deep-grey-in.png", Picture(true));
    const std::string look = "--preset \"Cast In Front\" --set colR=255 --set traN=0 --mode gray";
    const PngSamples out8 = RunDeep(in, "deep-grey-out8.png", look);
    const PngSamples out16 = RunDeep(in, "deep-grey-out16.png", look + " --depth 16");
    ASSERT_EQ(out8.channels, 4);
    ASSERT_EQ(out16.channels, 4);
    ASSERT_EQ(out16.depth, 16);
    const PngImage picture = Picture(true);
    int worst = 0, shadowed = 0;
    for (size_t i = 0; i < size_t(64) * 64; ++i) {
        const uint16_t* p = &out16.samples[i * 4];
        ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << i;
        ASSERT_TRUE(out8.samples[i * 4] == out8.samples[i * 4 + 1]) << i;
        const int a8 = out8.samples[i * 4 + 3];
        worst = std::max(worst, std::abs(int(Reduce16(p[3])) - a8));
        if (a8 >= 128)
            worst = std::max(worst, std::abs(int(Reduce16(p[0])) - out8.samples[i * 4]) - 1);
        // Where the layer was transparent the shadow's grey shows alone:
        // red's luma.
        if (picture.rgba[i * 4 + 3] == 0 && a8 > 0) {
            ++shadowed;
            EXPECT_EQ(out8.samples[i * 4], 76) << i;
        }
    }
    EXPECT_LE(worst, 1);
    EXPECT_GT(shadowed, 0);
}

TEST_F(DeepDocumentRun, DialogScreenshots)
{
    // The bundled picture as a 16-bit file whose low bits carry a gentle
    // ripple (as a photograph's do), and the same picture as a grey
    // document: the preview shows each as an editor would on screen.
    std::string sample = VEYDRA_SAMPLE_LAYER;
    PngSamples eight;
    std::string error;
    ASSERT_TRUE(ReadPngSamples(sample, eight, error)) << error;
    PngSamples deep = eight;
    deep.depth = 16;
    for (size_t i = 0; i < deep.samples.size(); ++i) {
        const int v = eight.samples[i];
        const int ripple = v == 0 || v == 255 ? 0 : int(i * 29 % 101) - 50;
        deep.samples[i] = static_cast<uint16_t>(v * 257 + ripple);
    }
    const std::string photo16 = SaveDeep("deep-sample-16.png", deep);
    const std::string dir = ScreenshotFolder(VEYDRA_SCREENSHOT_DIR);
    const struct {
        std::string input, switches, steps, name;
    } shots[] = {
        {photo16, "--depth 16", "", "main-16-bit"},
        {sample, "--mode gray", "color FF0000; settle; ", "main-grey"},  // a red shadow shows as its grey
        {sample, "--mode gray --depth 16", "", "main-grey-16-bit"},
    };
    for (const auto& shot : shots) {
        const HostReport r = RunHost("run " + Quote(ModulePath()) + " " + Quote(shot.input) + " " + shot.switches +
                                     " --dialog --ui \"settle; menu presets 'Cast In Front'; settle; " + shot.steps + "screenshot " +
                                     dir + "/" + shot.name + ".png; cancel\"");
        EXPECT_TRUE(r.Line("ui: screenshot ").size() > 0) << r.Text();
        EXPECT_EQ(r.Result(3), -128) << r.Text();
    }
}

}  // namespace
