// Nothing a host hands over takes it down: every fault and quirk veydra-host
// can imitate, every awkward image shape, run through the module under Wine
// with every host buffer ending right before an inaccessible page (and the
// input and mask read-only). Each row must end with the expected result
// code and the host alive; a run that fails must leave the image as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/PluginFixtures.h"

namespace {

enum class Outcome {
    Rendered,   // the shadow is in the image
    Ran,        // the run succeeded; on a tiny image the shadow may not show
    Unchanged,  // the image is exactly as it was
};

struct FaultRow {
    const char* what;
    std::string command;  // "run", "about" or "run" with --selector
    std::string input;    // a fixture; empty for a generated layer or single selectors
    std::string switches;
    int selector;         // whose result is checked
    int result;
    Outcome outcome;
    std::string line;  // a line the host's report must hold; "" for none
};

PngImage Solid(int width, int height, bool alpha)
{
    PngImage image;
    image.width = width;
    image.height = height;
    image.hasAlpha = alpha;
    image.rgba.assign(size_t(width) * height * 4, 255);
    for (size_t i = 0; i < image.rgba.size(); i += 4)
        image.rgba[i] = static_cast<uint8_t>(i * 37);
    return image;
}

std::string Message(const char* text) { return std::string("dialog: caption \"\" icon none text \"") + text + "\""; }
std::string Refusal(const char* text) { return std::string("dialog: caption \"Veydra\" icon warning text \"") + text + "\""; }

bool Is32BitHost() { return sizeof(void*) == 4; }

std::vector<FaultRow> FaultTable()
{
    const std::string layer = SaveFixture("fault-layer.png", DiscLayer());
    const std::string flat = SaveFixture("fault-flat.png", FlatPicture());
    const std::string mask = " --mask " + Quote(SaveFixture("fault-mask.png", RectMask(18, 10, 41, 35))) + " ";
    const std::string layer1 = SaveFixture("fault-layer-1x1.png", Solid(1, 1, true));
    const std::string layer2 = SaveFixture("fault-layer-2x2.png", Solid(2, 2, true));
    const std::string flat1 = SaveFixture("fault-flat-1x1.png", Solid(1, 1, false));
    const std::string flat2 = SaveFixture("fault-flat-2x2.png", Solid(2, 2, false));
    const std::string mask1 = " --mask " + Quote(SaveFixture("fault-mask-1x1.png", Solid(1, 1, false))) + " ";
    const std::string mask2 = " --mask " + Quote(SaveFixture("fault-mask-2x2.png", Solid(2, 2, false))) + " ";
    const char* const empty = "Sorry, the selected area is empty!";
    const Outcome R = Outcome::Rendered, U = Outcome::Unchanged;

    std::vector<FaultRow> rows = {
        {"an ordinary layer", "run", layer, "", 3, 0, R, ""},
        {"no descriptor parameters", "run", layer, "--no-descriptors --set zooM=50", 3, 0, R, ""},
        {"descriptor suites null", "run", layer, "--no-descriptor-suites --set zooM=50", 3, 0, R, ""},
        {"suite versions and counts 0", "run", layer, "--zero-suite-versions --set zooM=50", 3, 0, R, ""},
        {"no handle suite", "run", layer, "--no-handle-suite --set zooM=50", 3, 0, R, Message("DisposeProc error")},
        {"no buffer suite", "run", layer, "--no-buffer-suite", 3, 0, R, ""},
        {"no colour services", "run", layer, "--no-color-services", 3, 0, R, ""},
        {"junk in outData", "run", layer, "--junk-out", 3, 0, R, ""},
        {"advanceState fails", "run", layer, "--advance-fails", 3, -30904, U,
         "errorString: length 19 \"advanceState no go!\" then byte 0"},
        {"advanceState fails, no errorString", "run", layer, "--advance-fails --null-error-string", 3, -30904, U,
         "errorString: none given"},
        {"no input buffer", "run", layer, "--null-in", 3, 0, U, Message("error in")},
        {"no output buffer", "run", layer, "--null-out", 3, 0, U, Message("error out")},
        {"a selection without its mask", "run", flat, mask + "--null-mask", 3, 0, U, Message("error mask")},
        {"mask row bytes 0 with a mask", "run", flat, mask + "--mask-row-bytes 0", 3, 0, U, Message("error mask")},
        {"a null parameter block", "run", "", "--null-record --selector 3", 3, -30904, U, ""},
        {"about without platform data", "about", "", "--null-about-platform", 0, 0, U, ""},
        {"no host window", "run", layer, "--no-host-window", 3, 0, R, ""},
        {"an empty filter rectangle", "run", layer, "--empty-filter-rect", 3, -128, U, Refusal(empty)},
        {"a filter rectangle of zero width", "run", layer, "--filter-rect 0,0,64,0", 3, -128, U, Refusal(empty)},
        {"a filter rectangle inside the image", "run", layer, "--filter-rect 4,6,60,58", 3, 0, R, ""},
        {"a stale data slot", "run", layer, "--stale-data", 3, 0, R, ""},
        {"the result preset to 1", "run", layer, "--preset-result", 3, 0, R, ""},
        {"no finish call", "run", layer, "--no-finish", 3, 0, R, ""},
        {"called from a worker thread", "run", layer, "--worker-thread", 3, 0, R, ""},
        {"filter case 0 with four planes", "run", layer, "--filter-case 0 --planes 4", 3, 0, R, ""},
        {"three planes on a case with transparency", "run", layer, "--filter-case 4 --planes 3", 3, 0, R, ""},
        {"four planes on a case without transparency", "run", layer, "--filter-case 1 --planes 4", 3, 0, R, ""},
        {"fewer than three planes", "run", layer, "--planes 2", 3, -30101, U, ""},
        {"more planes than the document has", "run", layer, "--planes 5", 3, -30904, U,
         "advanceState: a rectangle or plane range outside the document"},
        {"a filter rectangle beyond the document", "run", layer, "--filter-rect 0,0,80,80", 3, -30904, U,
         "advanceState: a rectangle or plane range outside the document"},
        {"row bytes larger than the width", "run", layer, "--pad-rows 3", 3, 0, R, "outData row padding: untouched"},
        {"padded rows with a mask", "run", flat, mask + "--pad-rows 5", 3, 0, R, "outData row padding: untouched"},
        {"the dialog shown and ended with OK", "run", layer, "--dialog --ui \"settle; ok\"", 3, 0, R,
         "descriptor recorded (recordInfo 0): outS=1 (bool) posI=0 bluR=20 traN=30 intE=100 angX=0 angY=0 angZ=0 "
         "zooM=100 offX=0 offY=0 perS=80 colR=0 sofT=0 shdO=0 (bool)"},
        {"the dialog shown and cancelled", "run", layer, "--dialog --ui \"settle; cancel\"", 3, -128, U, ""},
        {"a 1 x 1 layer", "run", layer1, "", 3, -128, U, Refusal(empty)},
        {"a 2 x 2 layer", "run", layer2, "", 3, 0, Outcome::Ran, ""},
        {"a 1 x 1 image with its selection", "run", flat1, mask1, 3, 0, Outcome::Ran, ""},
        {"a 2 x 2 image with its selection", "run", flat2, mask2, 3, 0, Outcome::Ran, ""},
        {"unloaded and loaded between runs", "run", layer, "--repeat 3 --reload", 3, 0, R, "module unloaded"},
        // Grey and 16-bit documents, and the modes the module refuses.
        {"a 16-bit layer", "run", layer, "--depth 16", 3, 0, R, ""},
        {"a 16-bit image with its selection", "run", flat, mask + "--depth 16", 3, 0, R, ""},
        {"a grey layer", "run", layer, "--mode gray", 3, 0, R, ""},
        {"a 16-bit grey layer", "run", layer, "--mode gray --depth 16", 3, 0, R, ""},
        {"a 16-bit grey image with its selection", "run", flat, mask + "--mode gray --depth 16", 3, 0, R, ""},
        {"a 16-bit layer with padded rows", "run", layer, "--depth 16 --pad-rows 3", 3, 0, R,
         "outData row padding: untouched"},
        {"a 16-bit layer whose host says nothing", "run", layer, "--depth 16 --filter-case 0 --planes 4", 3, 0, R, ""},
        {"a CMYK document", "run", layer, "--image-mode 4", 3, -128, U,
         Refusal("Veydra works on RGB and Grayscale documents; this one is CMYK. Convert it to RGB first.")},
        {"a Lab document", "run", layer, "--image-mode 9", 3, -128, U,
         Refusal("Veydra works on RGB and Grayscale documents; this one is Lab. Convert it to RGB first.")},
        {"an indexed-colour document", "run", flat, "--image-mode 2", 3, -128, U,
         Refusal("Veydra works on RGB and Grayscale documents; this one has indexed colours. Convert it to RGB "
                 "first.")},
        {"a 32-bit document", "run", layer, "--image-mode 16", 3, -128, U,
         Refusal("Veydra works on 8 and 16 bits per channel; this document has 32. Convert it to 16 bits per "
                 "channel first.")},
    };
    if (Is32BitHost()) {
        // The host still holds this layer (and its copies), but the
        // module's working buffers no longer fit beside them in 4 GB. (A
        // run that only confirms needs no image-sized buffer but the
        // shadow's reach, so 12000 x 12000 now renders.)
        rows.push_back({"a layer too large for the 32-bit address space", "run", "", "--synthetic 15000", 3, -1, U,
                        "outData: untouched"});
    }
    return rows;
}

std::string Command(const FaultRow& row, const std::string& output)
{
    std::string command = row.command + " " + Quote(ModulePath()) + " ";
    if (!row.input.empty())
        command += Quote(row.input) + " -o " + Quote(output) + " ";
    return command + row.switches;
}

TEST(HostFaults, EveryRowEndsWithItsResultAndTheHostAlive)
{
    ResetPluginStore();
    const std::vector<FaultRow> rows = FaultTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        const FaultRow& row = rows[i];
        SCOPED_TRACE(row.what);
        const std::string output = SaveFixture("fault-out-" + std::to_string(i) + ".png", PngImage{1, 1, true, {0, 0, 0, 0}});
        const HostReport report = RunHost(Command(row, output));
        EXPECT_EQ(report.exitCode, 0u) << report.Text();
        EXPECT_TRUE(report.Has("host: done")) << report.Text();
        EXPECT_EQ(report.Result(row.selector), row.result) << report.Text();
        if (!row.line.empty()) {
            EXPECT_TRUE(report.Has(row.line)) << report.Text();
        }
        if (row.outcome == Outcome::Unchanged) {
            EXPECT_FALSE(report.Has("outData: written")) << report.Text();
        }
        if (row.input.empty())
            continue;
        const PngImage before = LoadImage(row.input), after = LoadImage(output);
        if (row.outcome == Outcome::Rendered) {
            EXPECT_NE(after.rgba, before.rgba) << "no shadow";
        } else if (row.outcome == Outcome::Unchanged) {
            EXPECT_EQ(after.rgba, before.rgba);
        }
    }
    ResetPluginStore();
}

// Outside the filter rectangle the host keeps its pixels; unloading the
// module between runs changes nothing of the result.
TEST(HostFaults, FilterRectangleAndReloadsKeepTheirPromises)
{
    ResetPluginStore();
    const std::string layer = SaveFixture("fault-layer.png", DiscLayer());
    const PngImage before = LoadImage(layer);
    const PluginRun inside = RunPlugin(layer, "--filter-rect 4,6,60,58");
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (y < 4 || y >= 60 || x < 6 || x >= 58) {
                for (int c = 0; c < 4; ++c) {
                    const size_t i = (size_t(y) * 64 + x) * 4 + c;
                    ASSERT_EQ(inside.output.rgba[i], before.rgba[i]) << x << "," << y;
                }
            }

    const PluginRun once = RunPlugin(layer);
    const PluginRun reloaded = RunPlugin(layer, "--repeat 3 --reload");
    int started = 0;
    for (const std::string& line : reloaded.report.lines)
        started += line == "selector 3 (start): result 0";
    EXPECT_EQ(started, 3) << reloaded.report.Text();
    EXPECT_EQ(reloaded.output.rgba, once.output.rgba);
    ResetPluginStore();
}

}  // namespace
