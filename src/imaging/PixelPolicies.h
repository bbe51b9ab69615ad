// How the resampler turns a window of source pixels and their weights into
// one destination pixel: whole ARGB pixels, or the alpha byte alone.
//
// `Samples` is anything indexable by the window position k (0 .. count-1)
// that yields the source ARGB pixel; rows and columns hand in different ones.
#pragma once

#include <cstdint>

#include "imaging/Argb.h"

// trunc(sum + 0.5) clamped to 0-255. Written with comparisons first so that
// no sum, however wild (NaN from a degenerate kernel included), reaches an
// out-of-range conversion.
inline uint32_t RoundToByte(double sum)
{
    const double v = sum + 0.5;
    if (!(v >= 1.0))
        return 0;
    if (v >= 255.0)
        return 255;
    return static_cast<uint32_t>(v);
}

struct CDataPaintLib32 {
    // Fully transparent samples carry no colour, so they are left out, and
    // the colour weights of the others are scaled up by g to make up for the
    // missing share: a shape's edge keeps its colour instead of darkening
    // towards the transparent black around it. Alpha keeps the plain
    // weighted sum, so the edge still fades.
    template <class Samples>
    static ARGB Filter(const Samples& p, const double* w, int count, ARGB /*current*/)
    {
        double t = 0.0;
        for (int k = 0; k < count; ++k) {
            if ((p[k] >> 24) == 0)
                t += w[k];
        }
        const double g = t < 1.0 ? 1.0 / (1.0 - t) : t;
        double b = 0.0, gr = 0.0, r = 0.0, a = 0.0;
        for (int k = 0; k < count; ++k) {
            const ARGB s = p[k];
            const uint32_t alpha = s >> 24;
            if (alpha == 0)
                continue;
            a += alpha * w[k];
            b += (s & 0xFF) * w[k] * g;
            gr += ((s >> 8) & 0xFF) * w[k] * g;
            r += ((s >> 16) & 0xFF) * w[k] * g;
        }
        return RoundToByte(a) << 24 | RoundToByte(r) << 16 | RoundToByte(gr) << 8 | RoundToByte(b);
    }
};

struct CDataPaintLib8 {
    // Only the alpha byte is filtered; the colour bytes of the destination
    // stay as they are.
    template <class Samples>
    static ARGB Filter(const Samples& p, const double* w, int count, ARGB current)
    {
        double a = 0.0;
        for (int k = 0; k < count; ++k) {
            const uint32_t alpha = p[k] >> 24;
            if (alpha != 0)
                a += alpha * w[k];
        }
        return RoundToByte(a) << 24 | (current & 0x00FFFFFF);
    }
};
