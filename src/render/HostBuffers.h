// The host's pixel buffers for one run, described without the host's own
// record so the plug-in, the command-line renderer and the tests share it.
//
// Pixels are 8 bits per channel and interleaved: channel c of pixel (x, y) is
// at data + y * rowBytes + x * planes + c; channels 0, 1, 2 are red, green and
// blue, channel 3 (when planes >= 4) the layer transparency. The selection
// mask has one byte per pixel (0 unselected ... 255 selected).
#pragma once

#include <cstdint>

// Host bytes red, green, blue with the given alpha, as an ARGB pixel.
inline uint32_t HostBytesToArgb(const uint8_t* p, uint32_t alpha)
{
    return alpha << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

struct HostBuffers {
    int32_t width = 0;   // filter rectangle
    int32_t height = 0;
    int32_t planes = 3;
    const uint8_t* inData = nullptr;
    int32_t inRowBytes = 0;
    uint8_t* outData = nullptr;
    int32_t outRowBytes = 0;
    const uint8_t* maskData = nullptr;  // null: no selection
    int32_t maskRowBytes = 0;

    bool HasTransparency() const { return planes >= 4; }
    const uint8_t* InPixel(int x, int y) const
    {
        return inData + static_cast<intptr_t>(y) * inRowBytes + static_cast<intptr_t>(x) * planes;
    }
    uint8_t* OutPixel(int x, int y) const
    {
        return outData + static_cast<intptr_t>(y) * outRowBytes + static_cast<intptr_t>(x) * planes;
    }
    uint8_t MaskAt(int x, int y) const { return maskData[static_cast<intptr_t>(y) * maskRowBytes + x]; }

    // How much of pixel (x, y) belongs to the object: the layer transparency
    // weighted by the selection, or the selection alone on a flat image.
    uint8_t ObjectOpacity(int x, int y) const
    {
        if (maskData == nullptr)
            return InPixel(x, y)[3];
        if (HasTransparency())
            return static_cast<uint8_t>(MaskAt(x, y) * InPixel(x, y)[3] / 255);
        return MaskAt(x, y);
    }

    // Buffers whose rows follow each other without padding.
    static HostBuffers Packed(int32_t width, int32_t height, int32_t planes, const uint8_t* in, uint8_t* out,
                              const uint8_t* mask = nullptr)
    {
        HostBuffers b;
        b.width = width;
        b.height = height;
        b.planes = planes;
        b.inData = in;
        b.inRowBytes = width * planes;
        b.outData = out;
        b.outRowBytes = width * planes;
        b.maskData = mask;
        b.maskRowBytes = mask ? width : 0;
        return b;
    }
};
