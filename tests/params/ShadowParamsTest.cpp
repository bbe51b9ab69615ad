#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "params/ShadowParams.h"

namespace {

TEST(ShadowParams, DefaultSet)
{
    const ShadowParams p = DefaultShadowParams();
    EXPECT_EQ(p.blur, 20);
    EXPECT_EQ(p.transparency, 30);
    EXPECT_EQ(p.intensity, 100);
    EXPECT_EQ(p.angleX, 0);
    EXPECT_EQ(p.angleY, 0);
    EXPECT_EQ(p.angleZ, 0);
    EXPECT_EQ(p.posX, 0);
    EXPECT_EQ(p.posY, 0);
    EXPECT_EQ(p.zoom, 100);
    EXPECT_EQ(p.perspective, 80);
    EXPECT_EQ(p.color, 0);
    EXPECT_EQ(p.outside, 1);
    EXPECT_EQ(p.Position(), ShadowPosition::Bottom);
    EXPECT_EQ(p.softness, 0);
    EXPECT_EQ(p.shadowOnly, 0);
}

TEST(ShadowParams, TableIsInRegistryWriteOrderAndCoversEveryField)
{
    const char* order[] = {"Blur", "Transparency", "Angle X", "Angle Y", "Angle Z", "Pos X", "Pos Y",
                           "Perspective", "Zoom", "Color", "Outside", "Shadow Position", "Intensity",
                           "Softness", "Shadow Only"};
    std::set<std::string> keys;
    ShadowParams probe{};
    for (size_t i = 0; i < kShadowParamCount; ++i) {
        EXPECT_STREQ(kShadowParamTable[i].registryName, order[i]);
        EXPECT_EQ(std::strlen(kShadowParamTable[i].scriptKey), 4u);
        keys.insert(kShadowParamTable[i].scriptKey);
        probe.*kShadowParamTable[i].field = static_cast<int32_t>(i + 1);
    }
    EXPECT_EQ(keys.size(), kShadowParamCount);
    // Each field was written exactly once: every member is non-zero and distinct.
    const int32_t* raw = reinterpret_cast<const int32_t*>(&probe);
    std::set<int32_t> seen(raw, raw + kShadowParamCount);
    EXPECT_EQ(seen.size(), kShadowParamCount);
    EXPECT_EQ(seen.count(0), 0u);
}

TEST(ShadowParams, SliderClampingOfStoredValues)
{
    struct Case {
        const char* name;
        int32_t stored;
        int32_t applied;
    } cases[] = {
        {"zoom", 5, 10},        {"blur", 500, 120},    {"angleY", 400, 360},    {"angleY", -361, -360},
        {"intensity", 0, 5},    {"posX", -501, -500},  {"perspective", 101, 100}, {"transparency", 100, 100},
        {"shadowPosition", 3, 3}, {"color", 0x7FFFFFFF, 0x7FFFFFFF}, {"outside", 7, 7},
    };
    for (const Case& c : cases) {
        const ShadowParamInfo* info = FindShadowParam(c.name);
        ASSERT_NE(info, nullptr) << c.name;
        ShadowParams p = DefaultShadowParams();
        p.*info->field = c.stored;
        EXPECT_EQ(ClampShadowParams(p).*info->field, c.applied) << c.name;
    }
    EXPECT_EQ(FindShadowParam("nonsense"), nullptr);
}

TEST(ShadowParams, ResetDiffersFromDefaultsInAngleXAndKeepsOutsideAndShadowOnly)
{
    const ShadowPreset* cast = FindBuiltInPreset("Cast In Front");
    ASSERT_NE(cast, nullptr);
    ShadowParams current = cast->params;
    current.outside = 0;
    current.softness = 60;   // a shape value: reset
    current.shadowOnly = 1;  // an output choice, like outside: kept
    const ShadowParams reset = ResetShadowParams(current);
    EXPECT_EQ(reset.angleX, -120);
    EXPECT_EQ(reset.outside, 0);
    ShadowParams expected = DefaultShadowParams();
    expected.angleX = -120;
    expected.outside = 0;
    expected.shadowOnly = 1;
    EXPECT_EQ(reset, expected);

    EXPECT_EQ(ResetShadowParams(cast->params).outside, 1);
}

TEST(ShadowParams, BuiltInPresetsInOrder)
{
    const char* names[] = {"Cast In Front",     "Cast In Front 2",   "Cast On Left Wall",
                           "Flat Faint Shadow", "Flat Solid Shadow", "Rear Shadow"};
    for (size_t i = 0; i < kBuiltInPresetCount; ++i) {
        EXPECT_STREQ(kBuiltInPresets[i].name, names[i]);
        // Every preset is already within the slider ranges.
        EXPECT_EQ(ClampShadowParams(kBuiltInPresets[i].params), kBuiltInPresets[i].params) << names[i];
        // They cast the shadow they always cast.
        EXPECT_EQ(kBuiltInPresets[i].params.softness, 0) << names[i];
        EXPECT_EQ(kBuiltInPresets[i].params.shadowOnly, 0) << names[i];
    }
    const ShadowParams& wall = kBuiltInPresets[2].params;
    EXPECT_EQ(wall.angleX, -30);
    EXPECT_EQ(wall.angleY, -75);
    EXPECT_EQ(wall.posX, -45);
    EXPECT_EQ(wall.posY, 40);
    EXPECT_EQ(wall.zoom, 124);
    EXPECT_EQ(wall.Position(), ShadowPosition::Top);
    EXPECT_EQ(kBuiltInPresets[5].params.intensity, 50);
    EXPECT_EQ(kBuiltInPresets[0].params.intensity, 70);

    ShadowParams faint = kBuiltInPresets[3].params;
    const ShadowParams& solid = kBuiltInPresets[4].params;
    EXPECT_EQ(faint.blur, 60);
    EXPECT_EQ(solid.blur, 0);
    faint.blur = 0;
    EXPECT_EQ(faint, solid);  // they differ only in blur
    EXPECT_EQ(FindBuiltInPreset("cast in front"), nullptr);
}

}  // namespace
