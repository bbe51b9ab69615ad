#include "engine/DocumentCheck.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void Invalid(const std::string& what) { throw std::invalid_argument("document: " + what); }

// Every working buffer of a run is at most image-sized ARGB, which must fit
// the 2 GB a buffer may hold.
const uint64_t kMaxArgbBytes = INT32_MAX;

}  // namespace

void CheckDocumentInput(const DocumentPlanes& d)
{
    if (d.width <= 0 || d.height <= 0)
        Invalid("width and height must be 1 or more, not " + std::to_string(d.width) + "x" + std::to_string(d.height));
    if (uint64_t(d.width) * uint64_t(d.height) * 4 > kMaxArgbBytes)
        Invalid(std::to_string(d.width) + "x" + std::to_string(d.height) + " is too large to hold in memory");
    if (d.depth != 8 && d.depth != 16)
        Invalid("depth must be 8 or 16 bits, not " + std::to_string(d.depth));
    if (d.colours != 1 && d.colours != 3)
        Invalid("colours must be 1 (grey) or 3 (RGB), not " + std::to_string(d.colours));
    if (d.planes < d.colours)
        Invalid("planes must be " + std::to_string(d.colours) + " or more, not " + std::to_string(d.planes));
    const bool scaleFits = d.depth == 8 ? d.fullScale == 255 : d.fullScale == 32768 || d.fullScale == 65535;
    if (!scaleFits)
        Invalid("fullScale must be 255 at 8 bits and 32768 or 65535 at 16, not " + std::to_string(d.fullScale));
    if (d.inData == nullptr)
        Invalid("no input pixels");
    if (int64_t(d.inRowBytes) < int64_t(d.width) * d.PixelBytes())
        Invalid("input rows of " + std::to_string(d.inRowBytes) + " bytes are shorter than the width");
    if (d.maskData != nullptr && d.maskRowBytes < d.width)
        Invalid("selection rows of " + std::to_string(d.maskRowBytes) + " bytes are shorter than the width");
}

PixelRect CheckDocumentOutput(const DocumentPlanes& d, const PixelRect& region)
{
    const PixelRect part = region.IsEmpty() ? PixelRect{0, 0, d.width, d.height} : region;
    if (part.left < 0 || part.top < 0 || part.right > d.width || part.bottom > d.height)
        Invalid("the region (" + std::to_string(part.left) + ", " + std::to_string(part.top) + ") - (" +
                std::to_string(part.right) + ", " + std::to_string(part.bottom) + ") leaves the image");
    if (d.outData == nullptr)
        Invalid("no output pixels");
    if (int64_t(d.outRowBytes) < int64_t(part.right - part.left) * d.PixelBytes())
        Invalid("output rows of " + std::to_string(d.outRowBytes) + " bytes are shorter than the width written");
    return part;
}

HostBuffers PlainRgb8Pixels(const DocumentPlanes& d)
{
    HostBuffers b;
    b.width = d.width;
    b.height = d.height;
    b.planes = d.planes;
    b.inData = static_cast<const uint8_t*>(d.inData);
    b.inRowBytes = d.inRowBytes;
    b.outData = static_cast<uint8_t*>(d.outData);
    b.outRowBytes = d.outRowBytes;
    b.maskData = d.maskData;
    b.maskRowBytes = d.maskData != nullptr ? d.maskRowBytes : 0;
    return b;
}
