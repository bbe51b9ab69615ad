#include "params/ShadowParams.h"

#include <cstring>

const ShadowParamInfo kShadowParamTable[15] = {
    {&ShadowParams::blur, "blur", "Blur", "Blur", "bluR", true, 0, 120, 20, 10, 1010},
    {&ShadowParams::transparency, "transparency", "Transparency", "Transparency", "traN", true, 0, 100, 30, 10, 1013},
    {&ShadowParams::angleX, "angleX", "Angle X", "Angle X", "angX", true, -180, 180, 0, 5, 1007},
    {&ShadowParams::angleY, "angleY", "Angle Y", "Angle Y", "angY", true, -360, 360, 0, 5, 1008},
    {&ShadowParams::angleZ, "angleZ", "Angle Z", "Angle Z", "angZ", true, -180, 180, 0, 5, 1017},
    {&ShadowParams::posX, "posX", "Offset X", "Pos X", "offX", true, -500, 500, 0, 10, 1029},
    {&ShadowParams::posY, "posY", "Offset Y", "Pos Y", "offY", true, -500, 500, 0, 10, 1031},
    {&ShadowParams::perspective, "perspective", "Perspective", "Perspective", "perS", true, 0, 100, 80, 10, 1012},
    {&ShadowParams::zoom, "zoom", "Zoom", "Zoom", "zooM", true, 10, 300, 100, 10, 1026},
    {&ShadowParams::color, "color", "Color", "Color", "colR", false, 0, 0xFFFFFF, 0, 0, 1014},
    {&ShadowParams::outside, "outside", "Only Outside", "Outside", "outS", false, 0, 1, 1, 0, 1016},
    {&ShadowParams::shadowPosition, "shadowPosition", "Shadow Position", "Shadow Position", "posI", false, 0, 2, 0, 0,
     1019},
    {&ShadowParams::intensity, "intensity", "Intensity", "Intensity", "intE", true, 5, 100, 100, 5, 1020},
    {&ShadowParams::softness, "softness", "Softness", "Softness", "sofT", true, 0, 100, 0, 10, 1036},
    {&ShadowParams::shadowOnly, "shadowOnly", "Shadow Only", "Shadow Only", "shdO", false, 0, 1, 0, 0, 1037},
};

int32_t ShadowParamInfo::Clamp(int32_t value) const
{
    if (!hasRange)
        return value;
    if (value < minimum)
        return minimum;
    if (value > maximum)
        return maximum;
    return value;
}

bool operator==(const ShadowParams& a, const ShadowParams& b)
{
    for (const ShadowParamInfo& info : kShadowParamTable)
        if (a.*info.field != b.*info.field)
            return false;
    return true;
}

const ShadowParamInfo* FindShadowParam(const char* name)
{
    for (const ShadowParamInfo& info : kShadowParamTable)
        if (std::strcmp(info.name, name) == 0)
            return &info;
    return nullptr;
}

ShadowParams DefaultShadowParams()
{
    ShadowParams p{};
    for (const ShadowParamInfo& info : kShadowParamTable)
        p.*info.field = info.defaultValue;
    return p;
}

ShadowParams ClampShadowParams(const ShadowParams& p)
{
    ShadowParams out = p;
    for (const ShadowParamInfo& info : kShadowParamTable)
        out.*info.field = info.Clamp(p.*info.field);
    return out;
}

ShadowParams ResetShadowParams(const ShadowParams& current)
{
    ShadowParams p = DefaultShadowParams();
    p.angleX = -120;
    p.outside = current.outside;
    // Like "Only Outside", what the result holds is a choice of output, not
    // of the shadow's shape.
    p.shadowOnly = current.shadowOnly;
    return p;
}

namespace {

// Columns in the order the presets are usually quoted: blur, transparency,
// angles, offsets, perspective, zoom, colour, outside, position, intensity.
ShadowParams Preset(int32_t blur, int32_t transparency, int32_t angleX, int32_t angleY, int32_t angleZ, int32_t posX,
                    int32_t posY, int32_t perspective, int32_t zoom, int32_t color, int32_t outside,
                    int32_t shadowPosition, int32_t intensity)
{
    ShadowParams p;
    p.blur = blur;
    p.transparency = transparency;
    p.intensity = intensity;
    p.angleX = angleX;
    p.angleY = angleY;
    p.angleZ = angleZ;
    p.posX = posX;
    p.posY = posY;
    p.zoom = zoom;
    p.perspective = perspective;
    p.color = color;
    p.outside = outside;
    p.shadowPosition = shadowPosition;
    p.softness = 0;
    p.shadowOnly = 0;
    return p;
}

}  // namespace

const ShadowPreset kBuiltInPresets[6] = {
    {"Cast In Front", Preset(70, 30, -105, 0, 0, 0, 0, 80, 100, 0, 1, 0, 70)},
    {"Cast In Front 2", Preset(40, 40, -110, -25, 0, 0, 8, 80, 100, 0, 1, 0, 100)},
    {"Cast On Left Wall", Preset(20, 50, -30, -75, 0, -45, 40, 80, 124, 0, 1, 2, 100)},
    {"Flat Faint Shadow", Preset(60, 23, 0, 0, 0, 10, 10, 80, 100, 0, 1, 2, 100)},
    {"Flat Solid Shadow", Preset(0, 23, 0, 0, 0, 10, 10, 80, 100, 0, 1, 2, 100)},
    {"Rear Shadow", Preset(30, 30, -40, 0, 0, 0, 0, 80, 100, 0, 1, 0, 50)},
};

const ShadowPreset* FindBuiltInPreset(const char* name)
{
    for (const ShadowPreset& preset : kBuiltInPresets)
        if (std::strcmp(preset.name, name) == 0)
            return &preset;
    return nullptr;
}
