#include "params/PresetStore.h"

namespace {

// A full write puts "Intensity" third; the built-in presets (and the value
// table) keep it last, so the two orders are spelled out separately.
const char* const kSaveOrder[kShadowParamCount] = {
    "Blur", "Transparency", "Intensity", "Angle X", "Angle Y", "Angle Z", "Pos X",
    "Pos Y", "Perspective", "Zoom", "Color", "Outside", "Shadow Position", "Softness", "Shadow Only",
};

const ShadowParamInfo& InfoByRegistryName(const char* registryName)
{
    for (const ShadowParamInfo& info : kShadowParamTable)
        if (std::string(info.registryName) == registryName)
            return info;
    return kShadowParamTable[0];  // unreachable: kSaveOrder names only table entries
}

std::vector<std::string> ParameterValueNames()
{
    std::vector<std::string> names;
    for (const ShadowParamInfo& info : kShadowParamTable)
        names.emplace_back(info.registryName);
    return names;
}

}  // namespace

ShadowParams loadParameterSet(ISettingsStore& store, const std::string& section)
{
    ShadowParams params{};
    for (const ShadowParamInfo& info : kShadowParamTable)
        params.*info.field = store.GetInt(section, info.registryName, info.defaultValue);
    return params;
}

void saveParameterSet(ISettingsStore& store, const std::string& section, const ShadowParams& params)
{
    for (const char* name : kSaveOrder) {
        const ShadowParamInfo& info = InfoByRegistryName(name);
        store.SetInt(section, info.registryName, params.*info.field);
    }
}

bool IsValidPresetName(const std::string& name)
{
    // The empty section is the last-used set, and a backslash would address a
    // nested key that the preset list never shows: either way the user's
    // preset would silently not appear.
    return !name.empty() && name.size() <= kMaxPresetNameLength && name.find('\\') == std::string::npos;
}

bool savePreset(ISettingsStore& store, const std::string& name, const ShadowParams& params)
{
    if (!IsValidPresetName(name))
        return false;
    saveParameterSet(store, name, params);
    return true;
}

std::vector<std::string> enumeratePresets(ISettingsStore& store)
{
    return store.ListSections();
}

void deletePreset(ISettingsStore& store, const std::string& name)
{
    if (name.empty())
        return;
    store.DeleteSection(name, ParameterValueNames());
}

bool SeedBuiltInPresets(ISettingsStore& store)
{
    if (store.GetInt("", SettingNames::kFirstStart, SettingDefaults::kFirstStart) == 0)
        return false;
    // The built-ins leave the later values at 0, which a missing value reads
    // as: they are written exactly as they always were.
    for (const ShadowPreset& preset : kBuiltInPresets)
        for (size_t i = 0; i < kOriginalShadowParamCount; ++i)
            store.SetInt(preset.name, kShadowParamTable[i].registryName, preset.params.*kShadowParamTable[i].field);
    store.SetInt("", SettingNames::kFirstStart, 0);
    return true;
}
