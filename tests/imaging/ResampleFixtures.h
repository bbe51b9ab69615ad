// Images and helpers shared by the resampler tests.
#pragma once

#include <cstdint>
#include <vector>

#include "Fnv1a.h"
#include "imaging/Argb.h"
#include "imaging/Dib.h"

// A plain width x height ARGB image with row pointers into it, for driving
// C2PassScale directly.
struct Image {
    Image(int w, int h, ARGB fill = 0)
        : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill), rows(h), constRows(h)
    {
        for (int y = 0; y < h; ++y) {
            rows[y] = pixels.data() + static_cast<size_t>(y) * w;
            constRows[y] = rows[y];
        }
    }
    ARGB& At(int x, int y) { return rows[y][x]; }
    ARGB At(int x, int y) const { return rows[y][x]; }

    int width;
    int height;
    std::vector<ARGB> pixels;
    std::vector<ARGB*> rows;
    std::vector<const ARGB*> constRows;
};

inline ARGB Opaque(uint32_t rgb) { return 0xFF000000u | rgb; }

// A reproducible image that exercises every path of the pixel policies:
// a fully transparent margin whose colour bytes are not zero, a soft-edged
// disc of opaque colour, a band of partial alpha and noise in all channels.
inline void PaintTestPattern(int width, int height, ARGB* const* rows)
{
    uint32_t seed = 12345;
    const int cx = width * 2 / 5, cy = height / 2, r = (width < height ? width : height) / 3;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const uint32_t noise = seed >> 8 & 0xFFFFFF;
            const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            ARGB p;
            if (d2 < (r - 3) * (r - 3))
                p = 0xFF000000u | (noise & 0x3F3F3F) | 0x804020;
            else if (d2 < r * r)
                p = (seed >> 24 | 1) << 24 | noise;  // soft edge, any alpha but 0
            else if (x > width * 3 / 4)
                p = static_cast<uint32_t>(y * 255 / height) << 24 | noise;  // alpha ramp
            else
                p = noise;  // transparent, colour bytes set
            rows[y][x] = p;
        }
    }
}

// What the shadow blur is given: one colour throughout (transparent pixels
// included), alpha from a silhouette with soft edges, faded towards the
// bottom row by row, and a second colour in one corner. Long runs of equal
// pixels, unlike the noise of PaintTestPattern.
inline void PaintSilhouette(int width, int height, ARGB* const* rows)
{
    for (int y = 0; y < height; ++y) {
        const uint32_t fade = 255 - static_cast<uint32_t>(y) * 200 / height;
        for (int x = 0; x < width; ++x) {
            const int dx = x - width / 2, dy = y - height / 3;
            const int d2 = dx * dx * 4 + dy * dy * 9;
            const int r2 = width * width;
            uint32_t alpha = d2 < r2 / 2 ? 255 : d2 < r2 * 2 / 3 ? 255 - (d2 - r2 / 2) * 254 / (r2 / 6) : 0;
            if (y > height * 2 / 3 && x > width / 5 && x < width * 2 / 5)
                alpha = 255;  // a post under the blob
            const ARGB colour = x > width * 4 / 5 && y < height / 4 ? 0x00336699 : 0x00101820;
            rows[y][x] = (alpha * fade / 255) << 24 | colour;
        }
    }
}

inline void FillPattern(CDib& dib)
{
    std::vector<ARGB*> rows(dib.GetHeight());
    for (int y = 0; y < dib.GetHeight(); ++y)
        rows[y] = dib.Row(y);
    PaintTestPattern(dib.GetWidth(), dib.GetHeight(), rows.data());
}

// 64-bit FNV-1a over the visible pixels, row by row, bytes in memory order
// (blue, green, red, alpha).
inline uint64_t Digest(const CDib& dib)
{
    Fnv1a digest;
    for (int y = 0; y < dib.GetHeight(); ++y) {
        const ARGB* row = dib.Row(y);
        for (int x = 0; x < dib.GetWidth(); ++x)
            digest.Word32(row[x]);
    }
    return digest.Value();
}
