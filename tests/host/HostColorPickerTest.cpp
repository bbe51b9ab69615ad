// Choosing the shadow colour with the host's picker: what is asked for, and
// how each host answer is read.
#include <gtest/gtest.h>

#include "host/HostColorPicker.h"

namespace {

ColorServicesInfo g_seen;
OSErr g_answer = 0;
int16_t g_components[3] = {0, 0, 0};

OSErr HOSTAPI FakeServices(ColorServicesInfo* info)
{
    g_seen = *info;
    for (int i = 0; i < 3; ++i)
        info->colorComponents[i] = g_components[i];
    return g_answer;
}

TEST(HostColorPicker, AsksForRgbInAndOutStartingAtTheColour)
{
    g_answer = 0;
    g_components[0] = 0x12;
    g_components[1] = 0x34;
    g_components[2] = 0x56;
    uint32_t color = 0x00CCBBAA;  // red AA, green BB, blue CC
    ASSERT_EQ(ChooseColorWithHost(FakeServices, color), HostColorAnswer::Chosen);
    EXPECT_EQ(g_seen.infoSize, static_cast<int32_t>(sizeof(ColorServicesInfo)));
    EXPECT_EQ(g_seen.selector, ColorServicesSelector::kChooseColor);
    EXPECT_EQ(g_seen.sourceSpace, ColorSpace::kRGB);
    EXPECT_EQ(g_seen.resultSpace, ColorSpace::kRGB);
    EXPECT_EQ(g_seen.colorComponents[0], 0xAA);
    EXPECT_EQ(g_seen.colorComponents[1], 0xBB);
    EXPECT_EQ(g_seen.colorComponents[2], 0xCC);
    EXPECT_EQ(g_seen.colorComponents[3], 0);
    EXPECT_EQ(g_seen.selectorParameter.pickerPrompt, nullptr);
    EXPECT_EQ(g_seen.reservedSourceSpaceInfo, nullptr);
    EXPECT_EQ(color, 0x00563412u);
}

TEST(HostColorPicker, OnlyUserCancelIsACancel)
{
    const struct {
        OSErr answer;
        HostColorAnswer expected;
    } cases[] = {
        {-128, HostColorAnswer::Cancelled},    // the user cancelled the host's picker
        {-30900, HostColorAnswer::Unavailable}, // a host without a picker for any selector
        {-50, HostColorAnswer::Unavailable},    // a host that refuses the choose selector
        {1, HostColorAnswer::Unavailable},
    };
    for (const auto& c : cases) {
        g_answer = c.answer;
        uint32_t color = 0x00112233;
        EXPECT_EQ(ChooseColorWithHost(FakeServices, color), c.expected) << c.answer;
        EXPECT_EQ(color, 0x00112233u) << "an unanswered choice changes nothing";
    }
    uint32_t color = 7;
    EXPECT_EQ(ChooseColorWithHost(nullptr, color), HostColorAnswer::Unavailable);
}

TEST(HostColorPicker, ComponentsOutOfRangeAreHeld)
{
    g_answer = 0;
    g_components[0] = -5;
    g_components[1] = 300;
    g_components[2] = 255;
    uint32_t color = 0;
    ASSERT_EQ(ChooseColorWithHost(FakeServices, color), HostColorAnswer::Chosen);
    EXPECT_EQ(color, 0x00FFFF00u);
}

}  // namespace
