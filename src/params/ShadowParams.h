// The values that describe one shadow, their ranges and defaults,
// the "Reset to default" set and the built-in presets.
//
// Each value is described once, in kShadowParamTable; the registry store, the
// scripting descriptors, the dialog and the command-line renderer iterate that
// table instead of naming the values one by one.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ShadowPosition : int32_t { Bottom = 0, Center = 1, Top = 2 };

struct ShadowParams {
    int32_t blur;
    int32_t transparency;
    int32_t intensity;
    int32_t angleX;
    int32_t angleY;
    int32_t angleZ;
    int32_t posX;
    int32_t posY;
    int32_t zoom;
    int32_t perspective;
    int32_t color;           // Windows COLORREF, 0x00BBGGRR
    int32_t outside;         // 0 false, non-zero true
    int32_t shadowPosition;  // a ShadowPosition; other values pass through unchecked
    // Later additions; a store or descriptor that lacks them means 0, which
    // renders exactly as before they existed.
    int32_t softness;    // 0-100: how much of the blur the hinge row loses
    int32_t shadowOnly;  // 0 false, non-zero true: the object is left out (layers only)

    bool IsOutside() const { return outside != 0; }
    bool IsShadowOnly() const { return shadowOnly != 0; }
    ShadowPosition Position() const { return static_cast<ShadowPosition>(shadowPosition); }
};

bool operator==(const ShadowParams& a, const ShadowParams& b);
inline bool operator!=(const ShadowParams& a, const ShadowParams& b) { return !(a == b); }

struct ShadowParamInfo {
    int32_t ShadowParams::*field;
    const char* name;         // identifier, as in code and on the command line
    const char* label;        // dialog label
    const char* registryName; // registry value name
    const char* scriptKey;    // scripting descriptor key (four characters)
    bool hasRange;            // slider values; the others are taken as they come
    int32_t minimum;
    int32_t maximum;
    int32_t defaultValue;
    int32_t pageStep;         // 0 when the value has no slider
    int32_t controlId;        // slider or button id in the main dialog

    // A slider clamps any position it is given into its range.
    int32_t Clamp(int32_t value) const;
};

// In the order a full set is written to the registry.
// The thirteen original values come first; the later ones follow.
extern const ShadowParamInfo kShadowParamTable[15];
const size_t kShadowParamCount = 15;
// The values every store and descriptor has held from the start.
const size_t kOriginalShadowParamCount = 13;

// Looks a value up by its code name, e.g. "angleX"; null when unknown.
const ShadowParamInfo* FindShadowParam(const char* name);

// Every value at its default.
ShadowParams DefaultShadowParams();

// Clamps the ten slider values into their ranges, as applying a set through
// the sliders does; colour, outside and position pass through unchanged.
ShadowParams ClampShadowParams(const ShadowParams& p);

// The "Reset to default" command: the defaults except angleX = -120, and
// `outside` and `shadowOnly` kept from the current set.
ShadowParams ResetShadowParams(const ShadowParams& current);

struct ShadowPreset {
    const char* name;
    ShadowParams params;
};

// The six built-in presets, in menu order.
extern const ShadowPreset kBuiltInPresets[6];
const size_t kBuiltInPresetCount = 6;

// Looks a built-in preset up by name (exact match); null when unknown.
const ShadowPreset* FindBuiltInPreset(const char* name);
