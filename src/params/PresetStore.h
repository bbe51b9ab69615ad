// Parameter sets in the settings store: the last-used set (section "") and
// the user presets (one section each), and the first-start seeding of the
// built-in presets.
#pragma once

#include <string>
#include <vector>

#include "params/SettingsStore.h"
#include "params/ShadowParams.h"

// The values of a section, each missing one at its default (a set saved
// before softness and shadow-only existed reads them as 0). The
// values come back as stored (a zoom of 5 stays 5): whoever applies them
// clamps them, as the dialog's sliders do.
ShadowParams loadParameterSet(ISettingsStore& store, const std::string& section);

// Writes all the values, creating the section if needed, in the order
// Blur, Transparency, Intensity, Angle X, Angle Y, Angle Z, Pos X, Pos Y,
// Perspective, Zoom, Color, Outside, Shadow Position, Softness, Shadow Only.
void saveParameterSet(ISettingsStore& store, const std::string& section, const ShadowParams& params);

// Registry key names are limited to 255 characters.
const size_t kMaxPresetNameLength = 255;

// True for a name a preset can be saved under: not empty (that is the
// last-used set), no backslash (that would make a nested key the preset list
// never shows) and short enough for a registry key name.
bool IsValidPresetName(const std::string& name);

// "Save preset...": saveParameterSet under `name` when IsValidPresetName
// accepts it; returns whether it was saved.
bool savePreset(ISettingsStore& store, const std::string& name, const ShadowParams& params);

// The preset names in the store's order.
std::vector<std::string> enumeratePresets(ISettingsStore& store);

// Deletes a preset's values and its section; an empty name does nothing.
void deletePreset(ISettingsStore& store, const std::string& name);

// While "First start" reads non-zero (default 1): writes the six built-in
// presets' thirteen original values (their softness and shadow-only are 0,
// the default) (overwriting presets of the same names), then "First start" = 0.
// Returns true when it seeded.
bool SeedBuiltInPresets(ISettingsStore& store);
