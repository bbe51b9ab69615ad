#include "host/HostColorPicker.h"

#include <cstring>

namespace {

int16_t Component(uint32_t color, int shift) { return static_cast<int16_t>((color >> shift) & 0xFF); }

// A component as the host returned it, held to 0-255.
uint32_t Byte(int16_t component)
{
    return component < 0 ? 0u : component > 255 ? 255u : static_cast<uint32_t>(component);
}

}  // namespace

HostColorAnswer ChooseColorWithHost(ColorServicesProc services, uint32_t& color)
{
    if (services == nullptr)
        return HostColorAnswer::Unavailable;
    ColorServicesInfo info;
    std::memset(&info, 0, sizeof info);
    info.infoSize = static_cast<int32_t>(sizeof info);
    info.selector = ColorServicesSelector::kChooseColor;
    info.sourceSpace = ColorSpace::kRGB;
    info.resultSpace = ColorSpace::kRGB;
    info.colorComponents[0] = Component(color, 0);
    info.colorComponents[1] = Component(color, 8);
    info.colorComponents[2] = Component(color, 16);
    info.selectorParameter.pickerPrompt = nullptr;
    const OSErr result = services(&info);
    if (result == HostResult::kUserCanceled)
        return HostColorAnswer::Cancelled;
    if (result != HostResult::kNoErr)
        return HostColorAnswer::Unavailable;
    color = Byte(info.colorComponents[0]) | Byte(info.colorComponents[1]) << 8 | Byte(info.colorComponents[2]) << 16;
    return HostColorAnswer::Chosen;
}
