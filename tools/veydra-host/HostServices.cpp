#include "HostServices.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

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

// Set by the automation thread, read on the module's thread.
std::atomic<bool> g_bAnswerOffered{false};
std::atomic<unsigned> g_nAnswer{0};
std::atomic<int> g_nChoiceError{0};
std::atomic<int> g_nChoiceCalls{0};

OSErr ChooseColour(ColorServicesInfo* info)
{
    ++g_nChoiceCalls;
    if (g_nChoiceError != 0) {
        Say("colour services: choose colour (answered with error " + std::to_string(g_nChoiceError) + ")");
        return static_cast<OSErr>(g_nChoiceError.load());
    }
    if (!g_bAnswerOffered.exchange(false)) {
        Say("colour services: choose colour (answered as cancelled)");
        return HostResult::kUserCanceled;
    }
    const unsigned colour = g_nAnswer;
    info->colorComponents[0] = static_cast<int16_t>(colour & 0xFF);
    info->colorComponents[1] = static_cast<int16_t>(colour >> 8 & 0xFF);
    info->colorComponents[2] = static_cast<int16_t>(colour >> 16 & 0xFF);
    info->resultSpace = ColorSpace::kRGB;
    char text[80];
    std::snprintf(text, sizeof text, "colour services: choose colour (answered %02X%02X%02X)", colour & 0xFF,
                  colour >> 8 & 0xFF, colour >> 16 & 0xFF);
    Say(text);
    return HostResult::kNoErr;
}

}  // namespace

void OfferColorAnswer(unsigned colorRef)
{
    g_nAnswer = colorRef;
    g_bAnswerOffered = true;
}

void SetColorChoiceError(int error) { g_nChoiceError = error; }

int ColorChoiceCalls() { return g_nChoiceCalls; }

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
        if (info->infoSize != static_cast<int32_t>(sizeof(ColorServicesInfo))) {
            Say("colour services: infoSize " + std::to_string(info->infoSize) + " refused");
            return HostResult::kParamErr;
        }
        return ChooseColour(info);
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
