// The one pixel type of the system and its source-over blend.
//
// A pixel is one 32-bit word: blue in bits 0-7, green 8-15, red 16-23 and
// alpha 24-31; in memory the bytes are blue, green, red, alpha. Colours are
// not premultiplied by alpha.
#pragma once

#include <cstdint>

typedef uint32_t ARGB;

inline uint32_t AlphaOf(ARGB c) { return c >> 24; }

// Lays s over d in integer arithmetic. Every layer of the system (textured
// faces, buffer blends, the final composite) goes through this one function,
// so all of them agree to the bit. Opaque and transparent sources return at
// once: they are by far the most common case.
inline ARGB BlendArgb(ARGB d, ARGB s)
{
    const uint32_t sa = s >> 24;
    if (sa == 255)
        return s;
    if (sa == 0)
        return d;
    const uint32_t da = d >> 24;
    const uint32_t t = da * sa / 255;
    const uint32_t ao = da + sa - t;
    if (ao == 0)
        return d;
    const uint32_t keep = 255 - sa;
    // The destination's share is divided by 255 on its own before the
    // source's share is added; the order of the divisions is part of the
    // result.
    const uint32_t r = (((d >> 16) & 0xFF) * keep * da / 255 + ((s >> 16) & 0xFF) * sa) / ao;
    const uint32_t g = (((d >> 8) & 0xFF) * keep * da / 255 + ((s >> 8) & 0xFF) * sa) / ao;
    const uint32_t b = ((d & 0xFF) * keep * da / 255 + (s & 0xFF) * sa) / ao;
    return ao << 24 | r << 16 | g << 8 | b;
}
