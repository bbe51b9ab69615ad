// The root values with rules beyond "read with a default": the language name
// and the main dialog's window placement. The others are read directly, e.g.
// store.GetInt("", SettingNames::kButtonStyle, SettingDefaults::kButtonStyle).
#pragma once

#include <string>

#include "params/SettingsStore.h"

// "Language", where an empty stored name also means "English".
std::string ReadLanguageSetting(ISettingsStore& store);
void WriteLanguageSetting(ISettingsStore& store, const std::string& name);

// The main dialog's outer rectangle in screen pixels.
struct WindowPlacement {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

// The stored placement, or false when none is stored ("X" below 1). A "Y" of
// 0 or less keeps `current.top`; a missing width or height keeps the current one.
bool ReadWindowPlacement(ISettingsStore& store, const WindowPlacement& current, WindowPlacement& placement);
void WriteWindowPlacement(ISettingsStore& store, const WindowPlacement& placement);
