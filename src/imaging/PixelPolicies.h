// How the resampler turns a window of source pixels and their weights into
// one destination pixel: whole ARGB pixels, or the alpha byte alone.
//
// A pass first converts each source line (a row or a column) to doubles,
// kValues per pixel, so that the many windows over one line read ready
// numbers. A window is then computed by one of three functions, chosen by
// how many of its samples are visible (alpha != 0): none, all, or some. All
// three give exactly the bits of the general rule; the first two merely skip
// work that cannot change them.
#pragma once

#include <cstdint>
#include <cstring>

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

// Two doubles handled lane by lane. Each lane is plain IEEE arithmetic in
// the same order as the scalar code, so the results are the same bits.
typedef double V2d __attribute__((vector_size(16)));

inline V2d LoadV2d(const double* p)
{
    V2d v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

struct CDataPaintLib32 {
    static constexpr int kValues = 4;  // blue, green, red, alpha
    static constexpr bool kKeepsColour = false;

    static void Convert(ARGB p, double* v)
    {
        v[0] = p & 0xFF;
        v[1] = (p >> 8) & 0xFF;
        v[2] = (p >> 16) & 0xFF;
        v[3] = p >> 24;
    }

    // Nothing visible: every sum stays 0.
    static ARGB Transparent(ARGB /*current*/) { return 0; }

    // An earlier result of the same window contents.
    static ARGB Reuse(ARGB result, ARGB /*current*/) { return result; }

    // Every sample visible: no transparent weight, so the colour factor is
    // exactly 1 and the colour sums are the plain weighted sums. N windows
    // of the same length are summed side by side: each sum is still formed
    // sample by sample in order, but the N chains of additions overlap
    // instead of waiting on each other.
    template <int N>
    static void Visible(const double* const* v, const double* const* w, int count, ARGB* const* d)
    {
        V2d bg[N], ra[N];
        for (int n = 0; n < N; ++n)
            bg[n] = ra[n] = V2d{0.0, 0.0};
        for (int k = 0; k < count; ++k) {
            for (int n = 0; n < N; ++n) {
                const double* s = v[n] + k * kValues;
                const V2d wk = {w[n][k], w[n][k]};
                bg[n] += LoadV2d(s) * wk;
                ra[n] += LoadV2d(s + 2) * wk;
            }
        }
        for (int n = 0; n < N; ++n)
            *d[n] = Pack(bg[n][0], bg[n][1], ra[n][0], ra[n][1]);
    }

    // The general rule. Fully transparent samples carry no colour, so they
    // are left out, and the colour weights of the others are scaled up by g
    // to make up for the missing share: a shape's edge keeps its colour
    // instead of darkening towards the transparent black around it. Alpha
    // keeps the plain weighted sum, so the edge still fades.
    static ARGB Mixed(const double* v, const double* w, int count, ARGB /*current*/)
    {
        double t = 0.0;
        for (int k = 0; k < count; ++k) {
            if (v[k * kValues + 3] == 0.0)
                t += w[k];
        }
        const double g = t < 1.0 ? 1.0 / (1.0 - t) : t;
        double b = 0.0, gr = 0.0, r = 0.0, a = 0.0;
        for (int k = 0; k < count; ++k, v += kValues) {
            if (v[3] == 0.0)
                continue;
            a += v[3] * w[k];
            b += v[0] * w[k] * g;
            gr += v[1] * w[k] * g;
            r += v[2] * w[k] * g;
        }
        return Pack(b, gr, r, a);
    }

    static ARGB Pack(double b, double g, double r, double a)
    {
        return RoundToByte(a) << 24 | RoundToByte(r) << 16 | RoundToByte(g) << 8 | RoundToByte(b);
    }
};

struct CDataPaintLib8 {
    static constexpr int kValues = 1;  // alpha
    static constexpr bool kKeepsColour = true;  // the destination's colour bytes stay

    static void Convert(ARGB p, double* v) { v[0] = p >> 24; }

    // Only the alpha byte is filtered; the colour bytes of the destination
    // stay as they are.
    static ARGB Transparent(ARGB current) { return current & 0x00FFFFFF; }

    static ARGB Reuse(ARGB result, ARGB current) { return (result & 0xFF000000) | (current & 0x00FFFFFF); }

    template <int N>
    static void Visible(const double* const* v, const double* const* w, int count, ARGB* const* d)
    {
        double a[N];
        for (int n = 0; n < N; ++n)
            a[n] = 0.0;
        for (int k = 0; k < count; ++k) {
            for (int n = 0; n < N; ++n)
                a[n] += v[n][k] * w[n][k];
        }
        for (int n = 0; n < N; ++n)
            *d[n] = RoundToByte(a[n]) << 24 | (*d[n] & 0x00FFFFFF);
    }

    static ARGB Mixed(const double* v, const double* w, int count, ARGB current)
    {
        double a = 0.0;
        for (int k = 0; k < count; ++k) {
            if (v[k] != 0.0)
                a += v[k] * w[k];
        }
        return RoundToByte(a) << 24 | (current & 0x00FFFFFF);
    }
};
