// The preview's zoom in the real module's dialog, worked by veydra-host's
// --ui automation through the messages a user's mouse and keyboard send:
// the drop-down, the buttons, Ctrl + wheel about the mouse, the keys, the
// level kept between runs, panning held inside the image at every level,
// and the original shown while the right button is held. The pictures are
// read back from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "host/PluginFixtures.h"
#include "params/RegistryStore.h"
#include "support/ScreenshotFolder.h"

namespace {

// An opaque layer whose red grows with x and green with y from 0 to 255,
// so the colour on screen tells which image pixel is shown there. Opaque
// all over, the object is the whole layer and its shadow (behind it) is
// never seen.
PngImage Gradient(int width, int height)
{
    PngImage image;
    image.width = width;
    image.height = height;
    image.hasAlpha = true;
    image.rgba.resize(size_t(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &image.rgba[(size_t(y) * width + x) * 4];
            p[0] = static_cast<uint8_t>(x * 255 / (width - 1));
            p[1] = static_cast<uint8_t>(y * 255 / (height - 1));
            p[2] = 128;
            p[3] = 255;
        }
    return image;
}

// A layer each of whose pixels has a colour of its own: red and green the
// low bytes of x and y, blue their high bits.
PngImage Indexed(int width, int height)
{
    PngImage image = Gradient(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &image.rgba[(size_t(y) * width + x) * 4];
            p[0] = static_cast<uint8_t>(x & 0xFF);
            p[1] = static_cast<uint8_t>(y & 0xFF);
            p[2] = static_cast<uint8_t>((x >> 8) << 4 | (y >> 8));
        }
    return image;
}

class PreviewZoomRunTest : public PluginTest {
protected:
    static HostReport DialogOn(const std::string& input, const std::string& script)
    {
        return Dialog(script, "", input).report;
    }

    static std::string PreviewZoom(const std::string& stateLine) { return StateLineValue(stateLine, "preview-zoom"); }

    // Every "ui pixel" answer in order, as RGB.
    static std::vector<unsigned> Pixels(const HostReport& report)
    {
        std::vector<unsigned> pixels;
        for (const std::string& line : report.lines) {
            const size_t colon = line.rfind(": ");
            if (line.rfind("ui pixel ", 0) == 0 && colon != std::string::npos)
                pixels.push_back(static_cast<unsigned>(std::stoul(line.substr(colon + 2), nullptr, 16)));
        }
        return pixels;
    }

    static std::vector<std::string> States(const HostReport& report)
    {
        std::vector<std::string> zooms;
        for (const std::string& line : report.lines)
            if (line.rfind("ui state:", 0) == 0)
                zooms.push_back(PreviewZoom(line));
        return zooms;
    }

    // The preview's size from the "ui rects:" line.
    static SIZE PreviewSize(const HostReport& report)
    {
        std::istringstream words(report.Line("ui rects:"));
        std::string word;
        while (words >> word) {
            long l = 0, t = 0, r = 0, b = 0;
            if (std::sscanf(word.c_str(), "1006=%ld,%ld,%ld,%ld", &l, &t, &r, &b) == 4)
                return SIZE{r - l, b - t};
        }
        return SIZE{0, 0};
    }

    // The image column and row a gradient pixel shows.
    static int ColumnOf(unsigned rgb, int width) { return ((rgb >> 16) & 0xFF) * (width - 1) / 255; }
    static int RowOf(unsigned rgb, int height) { return ((rgb >> 8) & 0xFF) * (height - 1) / 255; }
};

TEST_F(PreviewZoomRunTest, EveryWayOfZoomingAndTheLevelKeptForTheNextRun)
{
    // 1200 x 900 is larger than the preview: with nothing stored the dialog
    // opens at Fit.
    const std::string layer = SaveFixture("zoom-gradient.png", Gradient(1200, 900));
    const HostReport report =
        DialogOn(layer, "settle; rects; state; zoom 50; state; button 5; state; button 6; state; key 1; state; key plus; "
                      "state; key minus; state; key 0; state; wheel 0 0 1; state; wheel 0 0 -3; state; key plus; "
                      "key plus; key plus; key plus; key plus; key plus; state; cancel");
    // The wheel's first notch in from Fit goes to the first level beyond
    // Fit's scale.
    const SIZE preview = PreviewSize(report);
    const double fit = std::min((preview.cx - 1) / 1200.0, (preview.cy - 1) / 900.0);
    const std::string pastFit = fit < 0.25 ? "25" : fit < 0.5 ? "50" : "100";
    EXPECT_EQ(States(report), (std::vector<std::string>{"fit", "50", "100", "50", "100", "200", "100", "fit", pastFit,
                                                        "25", "400"}))
        << report.Text();
    // The level chosen last is where the next run opens, on any image.
    const HostReport next = RunPlugin(SaveFixture("zoom-small.png", Gradient(200, 160)),
                                      "--dialog --ui \"settle; state; cancel\"").report;
    EXPECT_EQ(States(next), (std::vector<std::string>{"400"})) << next.Text();
}

TEST_F(PreviewZoomRunTest, TheWheelKeepsTheImagePointUnderTheMouse)
{
    // Larger than the preview from 100 % on, so the view is free to move
    // at every level used here.
    const std::string layer = SaveFixture("zoom-point.png", Indexed(600, 500));
    const HostReport report = DialogOn(layer, "settle; rects; cancel");
    const SIZE preview = PreviewSize(report);
    ASSERT_GT(preview.cx, 0) << report.Text();
    // The points the wheel turned over, each read after every step.
    const HostReport read = DialogOn(
        layer, "settle; zoom 100; settle; pixel 1006 " + std::to_string(preview.cx / 2 + 40) + " " +
                   std::to_string(preview.cy / 2 + 30) + "; wheel 40 30 1; settle; pixel 1006 " +
                   std::to_string(preview.cx / 2 + 40) + " " + std::to_string(preview.cy / 2 + 30) +
                   "; wheel 40 30 1; settle; pixel 1006 " + std::to_string(preview.cx / 2 + 40) + " " +
                   std::to_string(preview.cy / 2 + 30) + "; pixel 1006 " + std::to_string(preview.cx / 2 - 70) + " " +
                   std::to_string(preview.cy / 2 - 50) + "; wheel -70 -50 -1; settle; pixel 1006 " +
                   std::to_string(preview.cx / 2 - 70) + " " + std::to_string(preview.cy / 2 - 50) +
                   "; state; cancel");
    const std::vector<unsigned> pixels = Pixels(read);
    ASSERT_EQ(pixels.size(), 5u) << read.Text();
    EXPECT_EQ(States(read), (std::vector<std::string>{"200"}));
    // 100 % -> 200 % -> 400 % about one point, then 400 % -> 200 % about
    // another: the image pixel under each stays (to the pixel a zoom step
    // may round to).
    const auto column = [](unsigned rgb) { return int((rgb >> 16) & 0xFF) | int((rgb >> 4) & 0xF) << 8; };
    const auto row = [](unsigned rgb) { return int((rgb >> 8) & 0xFF) | int(rgb & 0xF) << 8; };
    for (const auto& pair : {std::make_pair(0, 1), std::make_pair(1, 2), std::make_pair(3, 4)}) {
        EXPECT_NEAR(column(pixels[pair.first]), column(pixels[pair.second]), 1) << read.Text();
        EXPECT_NEAR(row(pixels[pair.first]), row(pixels[pair.second]), 1) << read.Text();
    }
}

TEST_F(PreviewZoomRunTest, PanningStaysInsideTheImageAtEveryLevel)
{
    const int w = 1200, h = 900;
    const std::string layer = SaveFixture("zoom-pan.png", Gradient(w, h));
    const HostReport sized = DialogOn(layer, "settle; rects; cancel");
    const SIZE preview = PreviewSize(sized);
    ASSERT_GT(preview.cx, 0) << sized.Text();
    const std::string middle = "pixel 1006 " + std::to_string(preview.cx / 2) + " " + std::to_string(preview.cy / 2);
    const std::string topLeft = "pixel 1006 3 3";
    const std::string bottomRight =
        "pixel 1006 " + std::to_string(preview.cx - 4) + " " + std::to_string(preview.cy - 4);
    for (const char* level : {"fit", "25", "100", "200", "400"}) {
        const bool covers = std::string(level) != "fit" && std::string(level) != "25";
        // Dragged far right and down the view stops at the image's top-left
        // corner, far left and up at its bottom-right one; the whole image
        // shown does not move at all.
        const HostReport report =
            DialogOn(layer, std::string("settle; zoom ") + level + "; settle; " + middle +
                              "; drag-preview 3000 3000; settle; " + (covers ? topLeft : middle) +
                              "; drag-preview -6000 -6000; settle; " + (covers ? bottomRight : middle) + "; cancel");
        const std::vector<unsigned> pixels = Pixels(report);
        ASSERT_EQ(pixels.size(), 3u) << level << report.Text();
        if (!covers) {
            EXPECT_EQ(pixels[1], pixels[0]) << level;
            EXPECT_EQ(pixels[2], pixels[0]) << level;
            continue;
        }
        EXPECT_LE(ColumnOf(pixels[1], w), 8) << level << report.Text();
        EXPECT_LE(RowOf(pixels[1], h), 8) << level;
        EXPECT_GE(ColumnOf(pixels[2], w), w - 9) << level;
        EXPECT_GE(RowOf(pixels[2], h), h - 9) << level;
    }
}

TEST_F(PreviewZoomRunTest, HoldingTheRightButtonShowsTheOriginalWithALabel)
{
    const std::string sample = VEYDRA_SAMPLE_LAYER;
    const HostReport sized = DialogOn(sample, "settle; rects; cancel");
    const SIZE preview = PreviewSize(sized);
    ASSERT_GT(preview.cx, 0) << sized.Text();
    // Low in the preview, where the cast shadow lies on the transparent
    // ground; and the corner where the label goes.
    const std::string shadow =
        "pixel 1006 " + std::to_string(preview.cx / 2) + " " + std::to_string(preview.cy * 7 / 8);
    const HostReport report = DialogOn(sample, "settle; menu presets 'Cast In Front'; settle; " + shadow +
                                                 "; pixel 1006 8 8; hold-preview on; settle; " + shadow +
                                                 "; pixel 1006 8 8; hold-preview off; settle; " + shadow +
                                                 "; pixel 1006 8 8; cancel");
    const std::vector<unsigned> pixels = Pixels(report);
    ASSERT_EQ(pixels.size(), 6u) << report.Text();
    EXPECT_NE(pixels[0], 0xFFFFFFu) << "the shadow is there" << report.Text();
    EXPECT_EQ(pixels[2], 0xFFFFFFu) << "the original: the preview's white ground";
    EXPECT_EQ(pixels[3], 0x000000u) << "the label";
    EXPECT_EQ(pixels[4], pixels[0]) << "released: the result again";
    EXPECT_EQ(pixels[5], pixels[1]);
}

// Pictures for a person to judge: the sample at Fit, 100 % and 400 %, and
// with the original shown. (Each translation at Fit: DialogRunTest's
// pictures, which open at the level nothing stored means.)
TEST_F(PreviewZoomRunTest, Screenshots)
{
    const std::string dir = ScreenshotFolder(VEYDRA_SCREENSHOT_DIR);
    const HostReport report = DialogOn(VEYDRA_SAMPLE_LAYER,
                                     "settle; menu presets 'Cast In Front'; settle; screenshot " + dir +
                                         "/zoom-fit.png; zoom 100; settle; screenshot " + dir +
                                         "/zoom-100.png; zoom 400; settle; screenshot " + dir +
                                         "/zoom-400.png; zoom fit; settle; hold-preview on; settle; screenshot " +
                                         dir + "/zoom-original.png; hold-preview off; cancel");
    size_t shots = 0;
    for (const std::string& line : report.lines)
        shots += line.rfind("ui: screenshot ", 0) == 0 && line.find(".png ") != std::string::npos;
    EXPECT_EQ(shots, 4u) << report.Text();
}

}  // namespace
