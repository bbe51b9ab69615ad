#include "HostServices.h"

#include <cstdlib>

#include "HostLog.h"

namespace {

OSErr HOSTAPI Allocate(int32_t size, BufferID* id)
{
    if (!id || size < 0)
        return HostResult::kParamErr;
    *id = std::malloc(size > 0 ? size_t(size) : 1);
    return *id ? HostResult::kNoErr : HostResult::kMemFullErr;
}

char* HOSTAPI Lock(BufferID id, Boolean) { return static_cast<char*>(id); }
void HOSTAPI Unlock(BufferID) {}
void HOSTAPI Free(BufferID id) { std::free(id); }
int32_t HOSTAPI Space() { return 1 << 30; }

}  // namespace

BufferProcs* HostBufferProcs()
{
    static BufferProcs procs = {2, 5, Allocate, Lock, Unlock, Free, Space};
    return &procs;
}

OSErr HOSTAPI HostColorServices(ColorServicesInfo* info)
{
    if (!info)
        return HostResult::kParamErr;
    switch (info->selector) {
    case ColorServicesSelector::kChooseColor:
        Say("colour services: choose colour (answered as cancelled)");
        return HostResult::kUserCanceled;
    case ColorServicesSelector::kConvertColor:
        if (info->sourceSpace == ColorSpace::kRGB &&
            (info->resultSpace == ColorSpace::kRGB || info->resultSpace == ColorSpace::kChosen))
            return HostResult::kNoErr;
        return HostResult::kHostInsufficient;
    case ColorServicesSelector::kGetSpecialColor: {
        // Foreground black, background white.
        const int16_t value = info->selectorParameter.specialColorID == 0 ? 0 : 255;
        for (int c = 0; c < 3; ++c)
            info->colorComponents[c] = value;
        info->colorComponents[3] = 0;
        info->resultSpace = ColorSpace::kRGB;
        return HostResult::kNoErr;
    }
    default:
        return HostResult::kHostInsufficient;
    }
}
