// Softness and shadow-only in the real module's dialog under Wine, worked
// through veydra-host's --ui automation: the slider, a preset and a
// descriptor each carry softness through a run and back; the shadow-only
// toggle of the shadow-position menu, its greyed state on a flat image, and
// the refusal of a played-back shadow-only step on a flat image. Every test
// starts from an empty plug-in store.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "host/PluginFixtures.h"
#include "imaging/Argb.h"
#include "params/PresetStore.h"
#include "support/ScreenshotFolder.h"

namespace {

using SoftnessDialogTest = PluginTest;

TEST_F(SoftnessDialogTest, SliderPresetAndDescriptorCarrySoftness)
{
    // The slider: OK records it in the descriptor and the last-used set, and
    // the result is what a played-back step with that softness gives.
    const PluginRun slid = Dialog("settle; slider blur 90; slider softness 60; state; ok");
    ASSERT_EQ(slid.report.Result(3), 0) << slid.report.Text();
    EXPECT_EQ(UiStateValue(slid.report, "softness"), "60");
    EXPECT_NE(RecordedDescriptor(slid.report).find("sofT=60"), std::string::npos) << slid.report.Text();
    EXPECT_EQ(PluginStore().GetInt("", "Softness", -1), 60);
    const PluginRun played = RunPlugin(Layer(), "--play-info 0 --set bluR=90 --set sofT=60");
    EXPECT_EQ(played.output.rgba, slid.output.rgba);
    const PluginRun hard = RunPlugin(Layer(), "--play-info 0 --set bluR=90 --set sofT=0");
    EXPECT_NE(hard.output.rgba, slid.output.rgba);

    // A preset holds it.
    ShadowParams soft = DefaultShadowParams();
    soft.softness = 35;
    CRegistryStore store = PluginStore();
    ASSERT_TRUE(savePreset(store, "Soft", soft));
    const PluginRun preset = Dialog("settle; menu presets Soft; state; cancel");
    EXPECT_EQ(UiStateValue(preset.report, "softness"), "35") << preset.report.Text();

    // A step recorded before softness existed names no sofT: it plays back
    // at 0 although the last-used set holds 60.
    const PluginRun old = Dialog("settle; state; cancel", "--set bluR=90 --play-info 1");
    EXPECT_EQ(UiStateValue(old.report, "softness"), "0") << old.report.Text();
}

TEST_F(SoftnessDialogTest, ShadowOnlyToggleAndFlatImages)
{
    const PluginRun normal = RunPlugin(Layer(), "--play-info 0 --set outS=1");
    const PluginRun alone = Dialog("settle; menu-items position; menu position 'Shadow Only'; settle; ok");
    ASSERT_EQ(alone.report.Result(3), 0) << alone.report.Text();
    EXPECT_TRUE(alone.report.Has("ui: menu item 4: 32794 'Shadow Only'")) << alone.report.Text();
    EXPECT_NE(RecordedDescriptor(alone.report).find("shdO=1"), std::string::npos) << alone.report.Text();
    EXPECT_EQ(PluginStore().GetInt("", "Shadow Only", -1), 1);
    // The layer over the shadow alone is the normal result again.
    const PngImage layer = DiscLayer();
    ASSERT_EQ(alone.output.rgba.size(), normal.output.rgba.size());
    int worst = 0;
    for (size_t i = 0; i + 3 < layer.rgba.size(); i += 4) {
        const auto argb = [](const std::vector<uint8_t>& p, size_t at) {
            return ARGB(p[at + 3]) << 24 | ARGB(p[at]) << 16 | ARGB(p[at + 1]) << 8 | p[at + 2];
        };
        const ARGB rebuilt = BlendArgb(argb(alone.output.rgba, i), argb(layer.rgba, i));
        const ARGB expected = argb(normal.output.rgba, i);
        for (int shift = 0; shift < 32; shift += 8)
            worst = std::max(worst, std::abs(int(rebuilt >> shift & 0xFF) - int(expected >> shift & 0xFF)));
    }
    EXPECT_LE(worst, 1);
    // The menu shows it checked next time (the last-used set holds it).
    const PluginRun again = Dialog("settle; menu-items position; cancel");
    EXPECT_TRUE(again.report.Has("ui: menu item 4: 32794 'Shadow Only' checked")) << again.report.Text();

    // A flat image: greyed in the dialog, whatever the last-used set holds,
    // and never recorded from there; a played-back step that asks for it is
    // refused, writing nothing.
    const PluginRun flatDialog = Dialog("settle; menu-items position; ok", Mask(), Flat());
    EXPECT_TRUE(flatDialog.report.Has("ui: menu item 4: 32794 'Shadow Only' greyed")) << flatDialog.report.Text();
    EXPECT_NE(RecordedDescriptor(flatDialog.report).find("shdO=0"), std::string::npos) << flatDialog.report.Text();
    const PluginRun refused = RunPlugin(Flat(), Mask() + "--play-info 0 --set shdO=1");
    EXPECT_EQ(refused.report.Result(3), -128) << refused.report.Text();
    EXPECT_TRUE(refused.report.Has(
        "dialog: caption \"Veydra\" icon warning text \"Shadow Only needs a layer with transparency.\""))
        << refused.report.Text();
    EXPECT_TRUE(refused.report.Has("outData: untouched")) << refused.report.Text();
    // Played back without shadow-only, the flat image renders.
    const PluginRun flat = RunPlugin(Flat(), Mask() + "--play-info 0 --set shdO=0");
    EXPECT_EQ(flat.report.Result(3), 0) << flat.report.Text();
}

// The sample at softness 0 and 80, as the dialog shows it: the shadow sharp
// at the feet and soft at its far end; and the shadow alone.
TEST_F(SoftnessDialogTest, BeforeAndAfterPictures)
{
    const std::string dir = ScreenshotFolder(VEYDRA_SCREENSHOT_DIR);
    for (const char* softness : {"0", "80"}) {
        const PluginRun run = RunPlugin(VEYDRA_SAMPLE_LAYER,
                                        std::string("--dialog --ui \"settle; menu presets 'Cast In Front'; slider "
                                                    "softness ") +
                                            softness + "; settle; screenshot " + dir + "/main-softness-" + softness +
                                            ".png; cancel\"");
        EXPECT_NE(run.report.Line("ui: screenshot "), "") << run.report.Text();
    }
    // And the shadow alone, as the preview shows it: no object over it.
    const PluginRun alone = RunPlugin(VEYDRA_SAMPLE_LAYER, "--dialog --ui \"settle; menu presets 'Cast In Front'; "
                                                           "menu position 'Shadow Only'; settle; screenshot " +
                                                               dir + "/main-shadow-only.png; cancel\"");
    EXPECT_NE(alone.report.Line("ui: screenshot "), "") << alone.report.Text();
}

}  // namespace
