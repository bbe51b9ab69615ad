// Where the plug-in keeps what it remembers between runs: one root section
// (interface settings, window placement, the last-used set, the first-start
// marker) and one section per user preset.
//
// The plug-in stores it in the registry (RegistryStore.h); the rules that sit
// on top of it (PresetStore.h) only see this interface, so they can be tested
// with an in-memory store as well.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    // `section` "" is the root; any other name is the preset of that name.
    // Reads never fail: a missing value, or one of the wrong type or size,
    // gives `def`. Reads and writes create the section when it is missing.
    virtual int32_t GetInt(const std::string& section, const std::string& name, int32_t def) = 0;
    virtual std::string GetString(const std::string& section, const std::string& name, const std::string& def) = 0;

    // Failures are silent.
    virtual void SetInt(const std::string& section, const std::string& name, int32_t value) = 0;
    virtual void SetString(const std::string& section, const std::string& name, const std::string& value) = 0;
    virtual void DeleteValue(const std::string& section, const std::string& name) = 0;

    // The sections below the root, in the store's own order (not sorted).
    virtual std::vector<std::string> ListSections() = 0;

    // Removes an empty-named section: nothing; otherwise deletes the given
    // values of the section, then the section itself. A section that cannot
    // be opened is left alone.
    virtual void DeleteSection(const std::string& section, const std::vector<std::string>& valueNames) = 0;
};

// Names of the values kept in the root section.
namespace SettingNames {
const char* const kLanguage = "Language";
const char* const kFirstStart = "First start";
const char* const kButtonStyle = "Button style";
const char* const kWindowColor = "Window color";
const char* const kControlColor = "Control color";
const char* const kX = "X";
const char* const kY = "Y";
const char* const kWidth = "Width";
const char* const kHeight = "Height";
const char* const kLinearInterface = "Linear interface";
const char* const kAutoHide = "Auto hide";
const char* const kMinimize = "Minimize";
const char* const kPreviewZoom = "Preview zoom";
}  // namespace SettingNames

// What each root value reads as when it is missing (or unreadable).
namespace SettingDefaults {
const char* const kLanguage = "English";
const int32_t kFirstStart = 1;
const int32_t kButtonStyle = 100;         // 9 chrome, 100 aqua, 0 flat
const int32_t kPreviewZoom = 0;           // Fit; else a percentage
const int32_t kWindowColor = 0xEAEAEA;    // COLORREF
const int32_t kControlColor = 0xFFD7AE;   // COLORREF
const int32_t kNoPlacement = -9999;       // "X" and "Y" when no placement is stored
const int32_t kLinearInterface = 4;
}  // namespace SettingDefaults
