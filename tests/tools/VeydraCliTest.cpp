// End-to-end runs of the `veydra` command on small generated PNG files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <zlib.h>

#include "PngImage.h"
#include "tools/CliSupport.h"

namespace {

// `environment`: assignments put before the command, e.g. "VEYDRA_THREADS=3".
// stdout and stderr together.
CommandOutput RunVeydra(const std::string& args, const std::string& environment = "")
{
    return RunCommand(environment + " " + std::string(VEYDRA_EXE) + " " + args + " 2>&1");
}

// A PNG whose header announces width x height pixels; only a scrap of the
// data follows, which is all a reader sees before it must allocate.
void WriteHeaderOnlyPng(const std::string& path, uint32_t width, uint32_t height)
{
    auto be32 = [](std::string& s, uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            s += static_cast<char>(v >> shift & 0xFF);
    };
    auto chunk = [&](std::string& file, const std::string& typeAndData) {
        be32(file, static_cast<uint32_t>(typeAndData.size() - 4));
        file += typeAndData;
        be32(file, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(typeAndData.data()),
                                               static_cast<uInt>(typeAndData.size()))));
    };
    std::string ihdr = "IHDR";
    be32(ihdr, width);
    be32(ihdr, height);
    ihdr += std::string("\x08\x06\x00\x00\x00", 5);  // 8-bit RGBA
    std::string file = "\x89PNG\r\n\x1a\n";
    chunk(file, ihdr);
    chunk(file, std::string("IDAT\x78\x9c\x00\x00\x00", 9));
    std::ofstream(path, std::ios::binary) << file;
}

class VeydraCli : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_scratch.Path(name); }

    // planes 4: an opaque square on transparency; planes 3: grey picture; planes 1: mask.
    std::string Make(const std::string& name, int w, int h, int planes, int x0 = 8, int y0 = 8, int x1 = 23,
                     int y1 = 19)
    {
        RasterImage img;
        img.width = w;
        img.height = h;
        img.planes = planes;
        img.pixels.assign(size_t(w) * h * planes, planes == 3 ? 200 : 0);
        for (int y = y0; y <= std::min(y1, h - 1) && planes != 3; ++y)
            for (int x = x0; x <= std::min(x1, w - 1); ++x) {
                uint8_t* p = &img.pixels[(size_t(y) * w + x) * planes];
                for (int c = 0; c < planes; ++c)
                    p[c] = planes == 1 ? 255 : (c == 3 ? 255 : 90);
            }
        WritePngAtomically(Path(name), img);
        return Path(name);
    }

    CScratchFolder m_scratch{"veydra-cli"};
};

TEST_F(VeydraCli, RendersLayerAndFlatImages)
{
    const std::string layer = Make("layer.png", 40, 32, 4);
    CommandOutput r = RunVeydra("render " + layer + " -o " + Path("out.png") + " --preset 'Cast In Front' --timings");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("timing: render"), std::string::npos) << r.out;
    const RasterImage out = ReadPng(Path("out.png"), PngLoad::Colour);
    EXPECT_EQ(out.planes, 4);
    EXPECT_EQ(out.width, 40);
    const RasterImage in = ReadPng(layer, PngLoad::Colour);
    EXPECT_NE(out.pixels, in.pixels);  // a shadow was cast

    const std::string flat = Make("flat.png", 40, 32, 3);
    const std::string mask = Make("mask.png", 40, 32, 1);
    r = RunVeydra("render " + flat + " --mask " + mask + " -o " + Path("flat-out.png") + " --blur=0 --color 00ff00 --offset-x 10");
    ASSERT_EQ(r.status, 0) << r.out;
    const RasterImage flatOut = ReadPng(Path("flat-out.png"), PngLoad::Colour);
    EXPECT_EQ(flatOut.planes, 3);
    // Right of the object the grey picture turned greener under the shadow;
    // left of it nothing changed.
    const uint8_t* p = &flatOut.pixels[(size_t(14) * 40 + 29) * 3];
    EXPECT_GT(p[1], p[0]);
    const uint8_t* q = &flatOut.pixels[(size_t(14) * 40 + 4) * 3];
    EXPECT_EQ(q[0], 200);
    EXPECT_EQ(q[1], 200);
}

TEST_F(VeydraCli, ExplicitValuesOverridePresetAndAreClamped)
{
    const std::string layer = Make("layer.png", 40, 32, 4);
    CommandOutput a = RunVeydra("render " + layer + " -o " + Path("a.png") + " --preset 'Rear Shadow' --zoom 500");
    ASSERT_EQ(a.status, 0) << a.out;
    EXPECT_NE(a.out.find("Zoom 500 is out of range 10..300; using 300"), std::string::npos) << a.out;
    CommandOutput b = RunVeydra("render " + layer + " -o " + Path("b.png") + " --preset 'Rear Shadow' --zoom 300");
    ASSERT_EQ(b.status, 0) << b.out;
    EXPECT_EQ(ReadAll(Path("a.png")), ReadAll(Path("b.png")));
}

// The thread count, from the option or the environment, changes no byte of
// the file (the picture is tall enough for the writer to cut its rows into
// bands).
TEST_F(VeydraCli, AnyThreadCountWritesTheSameFile)
{
    const std::string layer = Make("layer.png", 48, 600, 4);
    ASSERT_EQ(RunVeydra("render " + layer + " -o " + Path("one.png") + " --preset 'Cast In Front' --threads 1").status,
              0);
    ASSERT_EQ(RunVeydra("render " + layer + " -o " + Path("seven.png") + " --preset 'Cast In Front' --threads 7").status,
              0);
    ASSERT_EQ(RunVeydra("render " + layer + " -o " + Path("env.png") + " --preset 'Cast In Front'", "VEYDRA_THREADS=3")
                  .status,
              0);
    EXPECT_EQ(ReadAll(Path("one.png")), ReadAll(Path("seven.png")));
    EXPECT_EQ(ReadAll(Path("one.png")), ReadAll(Path("env.png")));
}

TEST_F(VeydraCli, RenderingOverTheInputReplacesIt)
{
    const std::string layer = Make("layer.png", 40, 32, 4);
    const std::string before = ReadAll(layer);
    ASSERT_EQ(RunVeydra("render " + layer + " -o " + Path("copy.png")).status, 0);
    EXPECT_EQ(ReadAll(layer), before);  // the input is left alone
    ASSERT_EQ(RunVeydra("render " + layer + " -o " + layer).status, 0);
    EXPECT_EQ(ReadAll(layer), ReadAll(Path("copy.png")));
}

TEST_F(VeydraCli, ErrorsWriteNothing)
{
    const std::string layer = Make("layer.png", 40, 32, 4);
    const std::string flat = Make("flat.png", 40, 32, 3);
    const std::string emptyLayer = Make("empty.png", 40, 32, 4, 5, 5, 5, 30);  // a 1 x 26 line
    const std::string smallMask = Make("small-mask.png", 20, 20, 1);
    {
        std::ofstream corrupt(Path("corrupt.png"), std::ios::binary);
        corrupt << "not a png at all";
    }
    const std::string whole = ReadAll(layer);
    {
        std::ofstream truncated(Path("truncated.png"), std::ios::binary);
        truncated << whole.substr(0, whole.size() / 2);
    }
    WriteHeaderOnlyPng(Path("huge.png"), 60000, 60000);
    const std::string out = " -o " + Path("out.png");
    // Files that fail exit with 1; a command line that is not understood, 2.
    struct Case {
        std::string args;
        std::string message;
        int status = 1;
    } cases[] = {
        {"render " + Path("missing.png") + out, "No such file"},
        {"render " + Path("corrupt.png") + out, "not a readable PNG"},
        {"render " + Path("truncated.png") + out, "corrupt or truncated"},
        {"render " + Path("huge.png") + out, "image too large to hold in memory"},
        {"render " + flat + out, "This filter requires a selection or a layer with transparency!"},
        {"render " + emptyLayer + out, "Sorry, the selected area is empty!"},
        {"render " + flat + " --mask " + smallMask + out, "mask is 20x20"},
        {"render " + layer + out + " --bogus", "unknown option '--bogus'", 2},
        {"render " + layer + out + " --preset Nope", "unknown preset 'Nope'", 2},
        {"render " + layer + out + " --blur ten", "not a whole number", 2},
        {"render " + layer + out + " --blur", "missing value", 2},
        {"render " + layer + out + " --color 12345", "expected RRGGBB", 2},
        {"render " + layer + out + " --outside maybe", "expected on|off", 2},
        {"render " + layer + out + " --position left", "expected bottom|center|top", 2},
        {"render " + layer + out + " --threads 0", "expected a count of 1 or more", 2},
        {"render " + flat + " --mask " + Make("mask.png", 40, 32, 1) + out + " --shadow-only",
         "--shadow-only needs a layer with transparency"},
        {"render " + layer, "no output file", 2},
        {"frobnicate", "unknown command", 2},
    };
    for (const Case& c : cases) {
        const CommandOutput r = RunVeydra(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.args << "\n" << r.out;
        EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << "one line: " << r.out;
        EXPECT_FALSE(Exists(Path("out.png"))) << c.args;
    }
}

TEST_F(VeydraCli, ListsPresets)
{
    const CommandOutput r = RunVeydra("presets");
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Cast On Left Wall: blur=20 transparency=50 angleX=-30 angleY=-75"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Rear Shadow:"), std::string::npos);
    EXPECT_NE(r.out.find("intensity=50 softness=0 shadowOnly=0\n"), std::string::npos) << r.out;
}

// The two later options reach the engine: softness changes the shadow and
// not the object; shadow-only leaves the object out and keeps the shadow.
TEST_F(VeydraCli, SoftnessAndShadowOnly)
{
    const std::string layer = Make("layer.png", 64, 90, 4, 20, 10, 43, 69);
    const std::string base = "render " + layer + " --preset 'Cast In Front' --offset-x 20";
    ASSERT_EQ(RunVeydra(base + " -o " + Path("plain.png")).status, 0);
    ASSERT_EQ(RunVeydra(base + " --softness 0 -o " + Path("zero.png")).status, 0);
    ASSERT_EQ(RunVeydra(base + " --softness 80 -o " + Path("soft.png")).status, 0);
    ASSERT_EQ(RunVeydra(base + " --shadow-only -o " + Path("only.png")).status, 0);
    EXPECT_EQ(ReadAll(Path("plain.png")), ReadAll(Path("zero.png")));
    const RasterImage plain = ReadPng(Path("plain.png"), PngLoad::Colour);
    const RasterImage soft = ReadPng(Path("soft.png"), PngLoad::Colour);
    const RasterImage only = ReadPng(Path("only.png"), PngLoad::Colour);
    EXPECT_NE(plain.pixels, soft.pixels);
    const uint8_t* objectPixel = &only.pixels[(size_t(40) * 64 + 30) * 4];
    EXPECT_EQ(objectPixel[0], 0);  // the shadow's black, not the object's grey 90
    EXPECT_EQ(plain.pixels[(size_t(40) * 64 + 30) * 4], 90);
    size_t shadowPixels = 0;
    for (size_t i = 3; i < only.pixels.size(); i += 4)
        shadowPixels += only.pixels[i] != 0;
    EXPECT_GT(shadowPixels, 500u);
}

}  // namespace
