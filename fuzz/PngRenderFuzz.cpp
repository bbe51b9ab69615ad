// Fuzz target: the command-line renderer from PNG bytes to the shadowed
// picture — decoding the image and the mask, pairing them, and the whole run
// on whatever decodes. Decoded images are capped at 16384 pixels, so one run
// takes milliseconds whatever the header claims.
//
// Input: U8 flags (bit 0: a mask follows the image), the fifteen values as
// I32 in the order of kShadowParamTable, U32 length of the image PNG, the
// image PNG, then the mask PNG (the rest of the input).
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "PngImage.h"
#include "RenderJob.h"

namespace {

const uint64_t kMaxArgbBytes = 16384 * 4;

// The values as the command line hands them over: slider values clamped,
// a 24-bit colour, a switch and one of the three positions.
ShadowParams CommandLineParams(CFuzzInput& in)
{
    ShadowParams p{};
    for (const ShadowParamInfo& info : kShadowParamTable)
        p.*info.field = in.I32();
    p = ClampShadowParams(p);
    p.color &= 0xFFFFFF;
    p.outside = p.outside != 0;
    p.shadowPosition = static_cast<int32_t>(static_cast<uint32_t>(p.shadowPosition) % 3);
    p.shadowOnly = p.shadowOnly != 0;
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput in(data, size);
    const bool hasMask = in.Bit();
    RenderOptions options;
    options.input = "image.png";
    options.mask = hasMask ? "mask.png" : "";
    options.params = CommandLineParams(in);
    const std::vector<uint8_t> image = in.Bytes(in.U32());
    const std::vector<uint8_t> mask = in.Rest();
    try {
        const RasterImage input = DecodePng(image.data(), image.size(), PngLoad::Colour, options.input, kMaxArgbBytes);
        RasterImage selection;
        if (hasMask)
            selection = DecodePng(mask.data(), mask.size(), PngLoad::Grey, options.mask, kMaxArgbBytes);
        const RasterImage output = ApplyShadow(input, hasMask ? &selection : nullptr, options, [](const char*) {});
        // The result has the input's shape: the run never changes the size
        // or the planes of the picture it works on.
        if (output.width != input.width || output.height != input.height || output.planes != input.planes ||
            output.pixels.size() != input.pixels.size())
            __builtin_trap();
    } catch (const CliError&) {
        // A refused file or image: the renderer's ordinary error path.
    }
    return 0;
}
