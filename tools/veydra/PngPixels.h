// Turning one reconstructed PNG row into the samples the renderer reads, as
// libpng's expansions do: palette entries looked up, grey samples under a
// byte widened to 8 bits, a transparent colour (tRNS) made an alpha plane,
// and 16-bit samples put in the machine's byte order.
#pragma once

#include <cstddef>
#include <cstdint>

enum class PngRowKind {
    Copy,       // samples as stored (8 bits, or 16 on a big-endian machine)
    Swap,       // 16-bit samples, byte order swapped
    GreyBits,   // grey of 1, 2 or 4 bits widened to 8 (with an alpha when keyed)
    Keyed,      // 8- or 16-bit grey or RGB with an alpha from the key colour
    Palette,    // palette indices to RGB, or RGBA when the palette has alpha
};

struct PngRowFormat {
    PngRowKind kind = PngRowKind::Copy;
    int bitDepth = 8;
    int channels = 1;  // stored samples a pixel
    // A transparent colour: pixels of it get alpha 0, all others opaque.
    bool keyed = false;
    uint16_t key[3] = {};
    // For palettes: every index's colour and alpha, and how many of those
    // bytes a pixel takes (3 or 4).
    const uint8_t (*paletteRgba)[4] = nullptr;
    int paletteBytes = 3;

    // Bytes one output pixel takes.
    int OutputPixelBytes() const;
};

// Converts `width` pixels of the reconstructed row `stored` into `out`.
void ConvertRow(const PngRowFormat& format, const uint8_t* stored, uint8_t* out, uint32_t width);
