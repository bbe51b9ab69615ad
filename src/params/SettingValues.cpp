#include "params/SettingValues.h"

std::string ReadLanguageSetting(ISettingsStore& store)
{
    std::string name = store.GetString("", SettingNames::kLanguage, SettingDefaults::kLanguage);
    return name.empty() ? SettingDefaults::kLanguage : name;
}

void WriteLanguageSetting(ISettingsStore& store, const std::string& name)
{
    store.SetString("", SettingNames::kLanguage, name);
}

bool ReadWindowPlacement(ISettingsStore& store, const WindowPlacement& current, WindowPlacement& placement)
{
    const int32_t x = store.GetInt("", SettingNames::kX, SettingDefaults::kNoPlacement);
    if (x < 1)
        return false;
    const int32_t y = store.GetInt("", SettingNames::kY, SettingDefaults::kNoPlacement);
    placement.left = x;
    placement.top = y > 0 ? y : current.top;
    placement.width = store.GetInt("", SettingNames::kWidth, current.width);
    placement.height = store.GetInt("", SettingNames::kHeight, current.height);
    return true;
}

void WriteWindowPlacement(ISettingsStore& store, const WindowPlacement& placement)
{
    store.SetInt("", SettingNames::kX, placement.left);
    store.SetInt("", SettingNames::kY, placement.top);
    store.SetInt("", SettingNames::kWidth, placement.width);
    store.SetInt("", SettingNames::kHeight, placement.height);
}
