// Alpha-aware interpolation of two ARGB pixels, the bilinear filter's step.
#pragma once

#include "imaging/Argb.h"

// x is the weight of a (0 ... 1). The colour leans towards the more opaque
// value, and a fully transparent value lends no colour at all, so filtering
// a soft silhouette does not drag its edge towards the black of the
// transparent texels around it.
inline ARGB LerpArgb(ARGB a, ARGB b, double x)
{
    const int aa = static_cast<int>(a >> 24);
    const int ab = static_cast<int>(b >> 24);
    const double rx = 1 - x;
    int alpha = static_cast<int>(ab * rx + aa * x + 0.5);
    if (alpha > 255)
        alpha = 255;
    ARGB colour;
    if (((a ^ b) & 0x00FFFFFF) == 0) {
        // One colour (a shadow texture is one colour throughout): whatever
        // the weight, c (1 - w) + c w + 0.5 truncates back to c.
        colour = a & 0x00FFFFFF;
    } else if (aa == 0) {
        colour = b & 0x00FFFFFF;
    } else if (ab == 0) {
        colour = a & 0x00FFFFFF;
    } else {
        const double w = aa > ab ? x + (aa - ab) * rx / 255 : x - (ab - aa) * x / 255;
        const double rw = 1 - w;
        colour = 0;
        for (int shift = 16; shift >= 0; shift -= 8) {
            const int ca = static_cast<int>((a >> shift) & 0xFF);
            const int cb = static_cast<int>((b >> shift) & 0xFF);
            int c = static_cast<int>(cb * rw + ca * w + 0.5);
            if (c > 255)
                c = 255;
            colour |= static_cast<ARGB>(c) << shift;
        }
    }
    return static_cast<ARGB>(alpha) << 24 | colour;
}
