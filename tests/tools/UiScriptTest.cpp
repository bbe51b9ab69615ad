// The --ui script of veydra-host: steps, quoting and the checks that make a
// mistyped script fail before the module runs.
#include <gtest/gtest.h>

#include "HostOptions.h"
#include "UiScript.h"

namespace {

TEST(UiScript, StepsWordsAndQuotes)
{
    const std::vector<UiStep> steps =
        ParseUiScript("settle; slider blur 70\nmenu presets 'Cast In Front' ;; menu menu \"Language/Deutsch\"; ok");
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[0].command, "settle");
    EXPECT_TRUE(steps[0].args.empty());
    EXPECT_EQ(steps[1].args, (std::vector<std::string>{"blur", "70"}));
    EXPECT_EQ(steps[2].args, (std::vector<std::string>{"presets", "Cast In Front"}));
    EXPECT_EQ(steps[2].text, "menu presets 'Cast In Front'");
    EXPECT_EQ(steps[3].args[1], "Language/Deutsch");
    EXPECT_EQ(steps[4].command, "ok");
}

TEST(UiScript, MistakesAreUsageErrors)
{
    for (const char* script : {"", " ; ", "sliders blur 3", "slider blur", "ok now", "menu presets 'open",
                               "color 00FF0", "color GG0000", "position left", "outside yes", "dialog maybe",
                               "key space", "drag-preview 5", "zoom 300", "zoom", "wheel 1 2", "hold-preview yes"})
        EXPECT_THROW(ParseUiScript(script), UsageError) << script;
}

TEST(UiScript, ColoursAreRedGreenBlue)
{
    EXPECT_EQ(ParseRgbHex("FF0000"), 0x000000FFu);
    EXPECT_EQ(ParseRgbHex("00ff00"), 0x0000FF00u);
    EXPECT_EQ(ParseRgbHex("123456"), 0x00563412u);
    EXPECT_NO_THROW(ParseUiScript("chooser cancel; chooser 0000FF; color 336699"));
}

TEST(UiScript, ZoomStepsTakeTheirLevelsAndKeys)
{
    const std::vector<UiStep> steps =
        ParseUiScript("zoom fit; zoom 400; wheel -20 35 -2; hold-preview on; key plus; key 0; hold-preview off");
    ASSERT_EQ(steps.size(), 7u);
    EXPECT_EQ(steps[1].args, (std::vector<std::string>{"400"}));
    EXPECT_EQ(steps[2].args, (std::vector<std::string>{"-20", "35", "-2"}));
    EXPECT_EQ(steps[3].command, "hold-preview");
}

}  // namespace
