// The module loaded for real by veydra-host under Wine, as a host loads it:
// entry edge cases, the filter run's buffer checks and refusals, descriptor
// playback, the prepare step and hosts that hand over junk or leave suites
// out. Every test starts from an empty plug-in store.
#include <gtest/gtest.h>

#include <string>

#include "host/PluginFixtures.h"
#include "params/PresetStore.h"
#include "params/RegistryStore.h"

namespace {

using PluginRunTest = PluginTest;

std::string HostCall(const std::string& args) { return "run " + Quote(ModulePath()) + " " + args; }

TEST_F(PluginRunTest, SelectorsOutsideTheSequenceAndANullRecord)
{
    HostReport r = RunHost(HostCall("--selector 6 --selector -1 --selector 4"));
    EXPECT_EQ(r.Result(6), 0) << r.Text();
    EXPECT_EQ(r.Result(-1), 0);
    // 6 and -1 leave the rectangles alone; continue clears all four
    // coordinates of each.
    EXPECT_EQ(r.lines[2], "rects: in 1,2,3,4 out 1,2,3,4 mask 1,2,3,4") << r.Text();
    EXPECT_EQ(r.lines[4], "rects: in 1,2,3,4 out 1,2,3,4 mask 1,2,3,4");
    EXPECT_EQ(r.lines[6], "rects: in 0,0,0,0 out 0,0,0,0 mask 0,0,0,0");

    r = RunHost(HostCall("--null-record --selector 3 --selector 0 --selector 2"));
    EXPECT_EQ(r.Result(3), -30904) << r.Text();
    EXPECT_EQ(r.Result(0), -30904);
    EXPECT_EQ(r.Result(2), -30904);
    EXPECT_TRUE(r.Has("host: done"));
}

TEST_F(PluginRunTest, AdvanceStateFailureReachesTheHostAsText)
{
    PluginRun run = RunPlugin(Layer(), "--advance-fails");
    EXPECT_EQ(run.report.Result(3), -30904) << run.report.Text();
    EXPECT_TRUE(run.report.Has("errorString: length 19 \"advanceState no go!\" then byte 0")) << run.report.Text();
    EXPECT_EQ(run.report.Result(5), 9999);  // hosts skip finish after a failed start

    run = RunPlugin(Layer(), "--advance-fails --null-error-string");
    EXPECT_EQ(run.report.Result(3), -30904) << run.report.Text();
    EXPECT_TRUE(run.report.Has("errorString: none given"));
}

TEST_F(PluginRunTest, MissingBuffersShowAPlainMessageAndChangeNothing)
{
    const struct {
        std::string input, switches, message;
    } cases[] = {
        {Layer(), "--null-out", "error out"},
        {Layer(), "--null-in", "error in"},
        {Layer(), "--null-in --null-out", "error out"},
        {Flat(), Mask() + "--null-mask", "error mask"},
    };
    for (const auto& c : cases) {
        PluginRun run = RunPlugin(c.input, c.switches);
        EXPECT_EQ(run.report.Result(3), 0) << run.report.Text();
        EXPECT_TRUE(run.report.Has("dialog: caption \"\" icon none text \"" + c.message + "\"")) << run.report.Text();
        EXPECT_FALSE(run.report.Has("outData: written"));
        EXPECT_EQ(run.output.rgba, LoadImage(c.input).rgba) << c.switches;
    }
}

TEST_F(PluginRunTest, RefusalsTellTheUserAndCancelWithNothingWritten)
{
    const std::string noSelection = "This filter requires a selection or a layer with transparency!";
    const std::string empty = "Sorry, the selected area is empty!";
    const std::string line = SaveFixture("line.png", LineLayer());
    const struct {
        std::string input, switches, message;
    } cases[] = {
        {Flat(), "", noSelection},
        {line, "", empty},
        // A selection over transparent pixels only.
        {Layer(), "--mask " + Quote(SaveFixture("corner.png", RectMask(0, 50, 10, 63))), empty},
        {Layer(), "--empty-filter-rect", empty},
    };
    for (const auto& c : cases) {
        PluginRun run = RunPlugin(c.input, c.switches);
        EXPECT_EQ(run.report.Result(3), -128) << run.report.Text();
        EXPECT_TRUE(run.report.Has("dialog: caption \"Veydra\" icon warning text \"" + c.message + "\""))
            << run.report.Text();
        EXPECT_FALSE(run.report.Has("outData: written"));
        EXPECT_EQ(run.output.rgba, LoadImage(c.input).rgba);
    }
}

// Whatever a host leaves in outData, and however it lays out its rows, the
// result is the same: the shadow is blended onto the input.
TEST_F(PluginRunTest, ResultDoesNotDependOnWhatOutDataHolds)
{
    const struct {
        std::string input, switches;
    } cases[] = {
        {Layer(), ""},
        {Flat(), Mask()},
        {Layer(), "--filter-case 0 --planes 4"},  // a host that says nothing and delivers four planes
        {Layer(), "--pad-rows 3"},
        {Flat(), Mask() + "--pad-rows 5"},
    };
    for (const auto& c : cases) {
        const PluginRun filled = RunPlugin(c.input, c.switches);
        const PluginRun junk = RunPlugin(c.input, c.switches + " --junk-out");
        EXPECT_EQ(filled.report.Result(3), 0) << filled.report.Text();
        EXPECT_EQ(junk.report.Result(3), 0) << junk.report.Text();
        EXPECT_EQ(junk.output.rgba, filled.output.rgba) << c.switches;
        EXPECT_NE(filled.output.rgba, LoadImage(c.input).rgba) << "no shadow";
    }
    // Every host shape renders the same picture.
    EXPECT_EQ(RunPlugin(Layer(), "--filter-case 0 --planes 4").output.rgba, RunPlugin(Layer()).output.rgba);
    EXPECT_EQ(RunPlugin(Layer(), "--pad-rows 3").output.rgba, RunPlugin(Layer()).output.rgba);
}

TEST_F(PluginRunTest, RepeatedRunUsesTheLastUsedSetAndStoresNothing)
{
    const PluginRun defaults = RunPlugin(Layer());
    const ShadowParams faint = FindBuiltInPreset("Flat Faint Shadow")->params;
    StoreLastUsed(faint);
    const PluginRun repeated = RunPlugin(Layer());
    const PluginRun scripted = RunPlugin(Layer(), "--preset \"Flat Faint Shadow\"");
    EXPECT_EQ(repeated.output.rgba, scripted.output.rgba);
    EXPECT_NE(repeated.output.rgba, defaults.output.rgba);
    EXPECT_TRUE(repeated.report.Has("descriptor recorded: none"));
    // A run without the dialog leaves the last-used set as it was.
    CRegistryStore store(std::string("Software\\") + kSettingsCompany + "\\" + kSettingsProduct);
    EXPECT_EQ(loadParameterSet(store, ""), faint);
}

TEST_F(PluginRunTest, DescriptorValuesWinAndAreClampedLikeTheSliders)
{
    StoreLastUsed(FindBuiltInPreset("Flat Faint Shadow")->params);  // zoom 100
    const PluginRun zoomed = RunPlugin(Layer(), "--set zooM=500");
    EXPECT_TRUE(zoomed.report.Has("descriptor given: consumed by the plug-in")) << zoomed.report.Text();
    EXPECT_TRUE(zoomed.report.Has("descriptor recorded: none"));
    const PluginRun full = RunPlugin(Layer(), "--preset \"Flat Faint Shadow\" --set zooM=300");
    const PluginRun lastUsed = RunPlugin(Layer());
    EXPECT_EQ(zoomed.output.rgba, full.output.rgba);
    EXPECT_NE(zoomed.output.rgba, lastUsed.output.rgba);

    // An unknown first key: nothing applied, the descriptor still consumed.
    const PluginRun unknown = RunPlugin(Layer(), "--set abcd=1 --set zooM=50");
    EXPECT_EQ(unknown.output.rgba, lastUsed.output.rgba);
    EXPECT_TRUE(unknown.report.Has("descriptor given: consumed by the plug-in"));
}

TEST_F(PluginRunTest, PlayInfoDecidesWhetherTheDialogShows)
{
    const PluginRun repeated = RunPlugin(Layer(), "--set offX=9");
    for (const char* playInfo : {"0", "2"}) {
        PluginRun run = RunPlugin(Layer(), std::string("--dialog --set offX=9 --play-info ") + playInfo);
        EXPECT_EQ(run.report.Result(1), 0);
        EXPECT_EQ(run.report.Result(3), 0) << run.report.Text();
        EXPECT_EQ(run.report.Line("dialog:"), "");
        EXPECT_EQ(run.output.rgba, repeated.output.rgba) << playInfo;
        EXPECT_TRUE(run.report.Has("descriptor recorded: none"));
    }
    // With the dialog asked for and nobody to tune it, the host's watcher
    // presses Enter, which is OK: the run renders, records and stores the
    // values it was given.
    const PluginRun shown = RunPlugin(Layer(), "--dialog --set offX=9 --play-info 1");
    EXPECT_EQ(shown.report.Result(3), 0) << shown.report.Text();
    EXPECT_NE(shown.report.Line("dialog: caption \"Veydra\""), "") << shown.report.Text();
    EXPECT_EQ(shown.output.rgba, repeated.output.rgba);
    EXPECT_NE(RecordedDescriptor(shown.report).find("offX=9"), std::string::npos)
        << shown.report.Text();
    CRegistryStore store(std::string("Software\\") + kSettingsCompany + "\\" + kSettingsProduct);
    EXPECT_EQ(store.GetInt("", "Pos X", -1), 9);
}

TEST_F(PluginRunTest, ColourFromTheDescriptor)
{
    const PngImage layer = DiscLayer();
    const PluginRun run = RunPlugin(Layer(), "--set colR=65280 --set traN=0 --set bluR=0 --set offX=8 --set offY=8");
    int shadowPixels = 0;
    for (size_t i = 0; i < run.output.rgba.size(); i += 4) {
        if (layer.rgba[i + 3] != 0 || run.output.rgba[i + 3] == 0)
            continue;
        ++shadowPixels;
        EXPECT_EQ(run.output.rgba[i + 0], 0) << i / 4;
        EXPECT_EQ(run.output.rgba[i + 1], 255) << i / 4;
        EXPECT_EQ(run.output.rgba[i + 2], 0) << i / 4;
    }
    EXPECT_GT(shadowPixels, 50);
}

TEST_F(PluginRunTest, HostsWithoutDescriptorSupport)
{
    StoreLastUsed(FindBuiltInPreset("Flat Faint Shadow")->params);
    const PluginRun lastUsed = RunPlugin(Layer());
    const PluginRun zoomed = RunPlugin(Layer(), "--set zooM=50");
    ASSERT_NE(lastUsed.output.rgba, zoomed.output.rgba);
    for (const char* switches : {"--no-descriptors", "--no-descriptor-suites"}) {
        const PluginRun run = RunPlugin(Layer(), std::string(switches) + " --set zooM=50");
        EXPECT_EQ(run.report.Result(3), 0) << run.report.Text();
        EXPECT_EQ(run.output.rgba, lastUsed.output.rgba) << switches;
    }
    // Suites whose version and count fields say 0 still work: only the
    // pointers count.
    EXPECT_EQ(RunPlugin(Layer(), "--zero-suite-versions --set zooM=50").output.rgba, zoomed.output.rgba);
    // Without a handle suite the descriptor cannot be disposed of: a plain
    // message, and the run goes on.
    const PluginRun noHandles = RunPlugin(Layer(), "--no-handle-suite --set zooM=50");
    EXPECT_TRUE(noHandles.report.Has("dialog: caption \"\" icon none text \"DisposeProc error\""))
        << noHandles.report.Text();
    EXPECT_EQ(noHandles.output.rgba, zoomed.output.rgba);
}

TEST_F(PluginRunTest, PrepareSeedsTheBuiltInPresetsOnce)
{
    CRegistryStore store(std::string("Software\\") + kSettingsCompany + "\\" + kSettingsProduct);
    RunPlugin(Layer());
    std::vector<std::string> names;
    for (const ShadowPreset& preset : kBuiltInPresets)
        names.push_back(preset.name);
    EXPECT_EQ(enumeratePresets(store), names);
    EXPECT_EQ(store.GetInt("", "First start", -1), 0);

    store.SetInt("Cast In Front", "Blur", 5);
    RunPlugin(Layer());
    EXPECT_EQ(store.GetInt("Cast In Front", "Blur", -1), 5);

    store.DeleteValue("", "First start");
    RunPlugin(Layer());
    EXPECT_EQ(store.GetInt("Cast In Front", "Blur", -1), 70);
}

// Hosts that call the module from a worker thread, whose window belongs to a
// thread that is not pumping messages meanwhile, or that preset the result.
TEST_F(PluginRunTest, CallingThreadAndResultPresets)
{
    const PluginRun plain = RunPlugin(Layer());
    for (const char* switches : {"--worker-thread", "--preset-result"}) {
        const PluginRun run = RunPlugin(Layer(), switches);
        EXPECT_EQ(run.report.Result(2), 0) << run.report.Text();
        EXPECT_EQ(run.report.Result(3), 0);
        EXPECT_EQ(run.report.Result(5), 0);
        EXPECT_EQ(run.output.rgba, plain.output.rgba);
    }
    const PluginRun refused = RunPlugin(Flat(), "--worker-thread");
    EXPECT_EQ(refused.report.Result(3), -128) << refused.report.Text();
    EXPECT_NE(refused.report.Line("dialog: caption \"Veydra\" icon warning"), "");
}

TEST_F(PluginRunTest, AboutStepReadsOnlyTheAboutRecord)
{
    // veydra-host places the about record right before a page it may not
    // touch and fills its tail with junk.
    for (const char* switches : {"", "--null-about-platform --preset-result", "--no-host-window"}) {
        HostReport r = RunHost("about " + Quote(ModulePath()) + " " + switches);
        EXPECT_EQ(r.Result(0), 0) << r.Text();
        EXPECT_TRUE(r.Has("host: done"));
    }
    PluginRun run = RunPlugin(Layer(), "--about");
    EXPECT_EQ(run.report.Result(0), 0);
    EXPECT_EQ(run.report.Result(3), 0);
}

// The data slot is never ours; a value a host left there is unlocked through
// the host's handle suite, and an empty slot is not.
TEST_F(PluginRunTest, DataSlot)
{
    PluginRun run = RunPlugin(Layer());
    EXPECT_EQ(run.report.Line("handle suite:"), "");
    run = RunPlugin(Layer(), "--stale-data --no-finish");
    EXPECT_EQ(run.report.Result(3), 0);
    EXPECT_NE(run.report.Line("handle suite: unlock of a handle the host never gave out"), "") << run.report.Text();
}

}  // namespace
