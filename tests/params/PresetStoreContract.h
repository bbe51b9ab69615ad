// The preset rules, run against every settings store: the in-memory one
// natively and the registry under Wine. A fixture type provides
//   static std::unique_ptr<ISettingsStore> Make();   a fresh, empty store
//   static void Discard();                          removes what Make made
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "params/PresetStore.h"
#include "params/SettingValues.h"

template <typename Fixture>
class PresetStoreContract : public ::testing::Test {
protected:
    void SetUp() override { m_store = Fixture::Make(); }
    void TearDown() override
    {
        m_store.reset();
        Fixture::Discard();
    }
    ISettingsStore& Store() { return *m_store; }

    static bool Contains(const std::vector<std::string>& names, const std::string& name)
    {
        return std::find(names.begin(), names.end(), name) != names.end();
    }

private:
    std::unique_ptr<ISettingsStore> m_store;
};

TYPED_TEST_SUITE_P(PresetStoreContract);

TYPED_TEST_P(PresetStoreContract, ValuesRoundTripAndMissingOnesReadTheirDefault)
{
    ISettingsStore& s = this->Store();
    EXPECT_EQ(s.GetInt("", "Nothing", -7), -7);
    EXPECT_EQ(s.GetString("", "Nothing", "fallback"), "fallback");
    for (int32_t v : {0, 1, -1, -120, INT32_MIN, INT32_MAX}) {
        s.SetInt("", "Number", v);
        EXPECT_EQ(s.GetInt("", "number", 5), v) << "names match without regard to case";
    }
    s.SetString("", "Text", "Fran\xE7" "ais");
    EXPECT_EQ(s.GetString("", "TEXT", ""), "Fran\xE7" "ais");
    s.SetString("", "Text", "");
    EXPECT_EQ(s.GetString("", "Text", "x"), "") << "an empty string is a value, not a missing one";

    // The wrong type reads as the default, both ways.
    EXPECT_EQ(s.GetInt("", "Text", 42), 42);
    EXPECT_EQ(s.GetString("", "Number", "dflt"), "dflt");
    s.DeleteValue("", "Number");
    EXPECT_EQ(s.GetInt("", "Number", 9), 9);
    s.DeleteValue("", "Number");  // already gone: no harm
}

TYPED_TEST_P(PresetStoreContract, FirstPrepareSeedsTheBuiltInPresetsOnce)
{
    ISettingsStore& s = this->Store();
    EXPECT_TRUE(enumeratePresets(s).empty());
    ASSERT_TRUE(SeedBuiltInPresets(s));
    EXPECT_EQ(s.GetInt("", SettingNames::kFirstStart, 1), 0);
    const std::vector<std::string> names = enumeratePresets(s);
    ASSERT_EQ(names.size(), kBuiltInPresetCount);
    for (const ShadowPreset& preset : kBuiltInPresets) {
        EXPECT_TRUE(this->Contains(names, preset.name)) << preset.name;
        EXPECT_EQ(loadParameterSet(s, preset.name), preset.params) << preset.name;
    }

    // The user changes a built-in preset; the next prepare leaves it alone.
    ShadowParams changed = kBuiltInPresets[0].params;
    changed.blur = 3;
    saveParameterSet(s, kBuiltInPresets[0].name, changed);
    EXPECT_FALSE(SeedBuiltInPresets(s));
    EXPECT_EQ(loadParameterSet(s, kBuiltInPresets[0].name), changed);

    // Deleting "First start" brings them back, over the user's values.
    s.DeleteValue("", SettingNames::kFirstStart);
    EXPECT_TRUE(SeedBuiltInPresets(s));
    EXPECT_EQ(loadParameterSet(s, kBuiltInPresets[0].name), kBuiltInPresets[0].params);
    EXPECT_EQ(enumeratePresets(s).size(), kBuiltInPresetCount);
}

TYPED_TEST_P(PresetStoreContract, DeletedPresetStaysDeleted)
{
    ISettingsStore& s = this->Store();
    SeedBuiltInPresets(s);
    deletePreset(s, "Cast In Front");
    std::vector<std::string> names = enumeratePresets(s);
    EXPECT_FALSE(this->Contains(names, "Cast In Front"));
    EXPECT_TRUE(this->Contains(names, "Cast In Front 2"));
    EXPECT_EQ(names.size(), kBuiltInPresetCount - 1);
    EXPECT_EQ(s.GetInt("", SettingNames::kFirstStart, 1), 0);
    EXPECT_FALSE(SeedBuiltInPresets(s));
    EXPECT_FALSE(this->Contains(enumeratePresets(s), "Cast In Front"));

    // Deleting what is not there, or the empty name, changes nothing.
    deletePreset(s, "No Such Preset");
    deletePreset(s, "");
    EXPECT_EQ(enumeratePresets(s).size(), kBuiltInPresetCount - 1);
}

TYPED_TEST_P(PresetStoreContract, PartialPresetLoadsDefaultsForTheRest)
{
    ISettingsStore& s = this->Store();
    s.SetInt("Only Zoom", "Zoom", 200);
    ShadowParams expected = DefaultShadowParams();
    expected.zoom = 200;
    EXPECT_EQ(loadParameterSet(s, "Only Zoom"), expected);
    EXPECT_TRUE(this->Contains(enumeratePresets(s), "Only Zoom"));

    // An empty store's last-used set is the default set; values come back as
    // stored, out of range or not (the sliders clamp them).
    EXPECT_EQ(loadParameterSet(s, ""), DefaultShadowParams());
    s.SetInt("", "Angle Y", 400);
    EXPECT_EQ(loadParameterSet(s, "").angleY, 400);
    EXPECT_EQ(ClampShadowParams(loadParameterSet(s, "")).angleY, 360);
}

TYPED_TEST_P(PresetStoreContract, SavedSetsRoundTripAndOverwrite)
{
    ISettingsStore& s = this->Store();
    ShadowParams p = kBuiltInPresets[2].params;  // negative angles and offset
    p.color = 0x00FF8040;
    p.shadowPosition = 3;  // passes through unchecked
    ASSERT_TRUE(savePreset(s, "Mine", p));
    EXPECT_EQ(loadParameterSet(s, "Mine"), p);
    p.posX = -500;
    p.angleX = -180;
    ASSERT_TRUE(savePreset(s, "MINE", p));  // same key: names ignore case
    EXPECT_EQ(loadParameterSet(s, "Mine"), p);
    EXPECT_EQ(enumeratePresets(s).size(), 1u);

    // The last-used set lives in the root, apart from every preset.
    saveParameterSet(s, "", DefaultShadowParams());
    EXPECT_EQ(loadParameterSet(s, ""), DefaultShadowParams());
    EXPECT_EQ(loadParameterSet(s, "Mine"), p);
}

TYPED_TEST_P(PresetStoreContract, RejectedPresetNamesWriteNothing)
{
    ISettingsStore& s = this->Store();
    ShadowParams p = DefaultShadowParams();
    p.blur = 77;
    for (const std::string& name : {std::string(), std::string("Walls\\Left"), std::string(256, 'n')}) {
        EXPECT_FALSE(savePreset(s, name, p)) << name;
    }
    EXPECT_TRUE(enumeratePresets(s).empty());
    EXPECT_EQ(loadParameterSet(s, "").blur, DefaultShadowParams().blur) << "the last-used set is untouched";
    EXPECT_TRUE(savePreset(s, std::string(255, 'n'), p));
    EXPECT_EQ(loadParameterSet(s, std::string(255, 'n')).blur, 77);
}

TYPED_TEST_P(PresetStoreContract, WrongTypedParameterReadsAsDefault)
{
    ISettingsStore& s = this->Store();
    s.SetString("Odd", "Blur", "70");
    s.SetInt("Odd", "Zoom", 150);
    const ShadowParams p = loadParameterSet(s, "Odd");
    EXPECT_EQ(p.blur, DefaultShadowParams().blur);
    EXPECT_EQ(p.zoom, 150);
}

TYPED_TEST_P(PresetStoreContract, LanguageAndPlacementSettings)
{
    ISettingsStore& s = this->Store();
    EXPECT_EQ(ReadLanguageSetting(s), "English");
    WriteLanguageSetting(s, "");
    EXPECT_EQ(ReadLanguageSetting(s), "English");
    WriteLanguageSetting(s, "Deutsch");
    EXPECT_EQ(ReadLanguageSetting(s), "Deutsch");

    const WindowPlacement current{30, 40, 905, 560};
    WindowPlacement got{};
    EXPECT_FALSE(ReadWindowPlacement(s, current, got)) << "nothing stored";
    for (int32_t x : {0, -5}) {
        s.SetInt("", SettingNames::kX, x);
        EXPECT_FALSE(ReadWindowPlacement(s, current, got)) << x;
    }
    s.SetInt("", SettingNames::kX, 12);
    ASSERT_TRUE(ReadWindowPlacement(s, current, got));
    EXPECT_EQ(got.left, 12);
    EXPECT_EQ(got.top, 40) << "no Y: the current top";
    EXPECT_EQ(got.width, 905);
    WriteWindowPlacement(s, WindowPlacement{100, 80, 700, 500});
    ASSERT_TRUE(ReadWindowPlacement(s, current, got));
    EXPECT_EQ(got.left, 100);
    EXPECT_EQ(got.top, 80);
    EXPECT_EQ(got.width, 700);
    EXPECT_EQ(got.height, 500);
}

REGISTER_TYPED_TEST_SUITE_P(PresetStoreContract, ValuesRoundTripAndMissingOnesReadTheirDefault,
                            FirstPrepareSeedsTheBuiltInPresetsOnce, DeletedPresetStaysDeleted,
                            PartialPresetLoadsDefaultsForTheRest, SavedSetsRoundTripAndOverwrite,
                            RejectedPresetNamesWriteNothing, WrongTypedParameterReadsAsDefault,
                            LanguageAndPlacementSettings);
