// Comparing pictures, for the tests and the preview fidelity benchmark:
// exact equality, the peak signal-to-noise ratio of red, green and blue,
// and the host's output read back as a picture.
#pragma once

#include <cmath>

#include "imaging/Argb.h"
#include "imaging/Dib.h"
#include "render/HostBuffers.h"

inline bool SamePixels(const CDib& a, const CDib& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return false;
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x)
            if (a.Row(y)[x] != b.Row(y)[x])
                return false;
    return true;
}

// In dB over red, green and blue (alpha left out); infinite when no
// channel differs. The pictures are the same size.
inline double Psnr(const CDib& a, const CDib& b)
{
    double sum = 0;
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x)
            for (int shift : {0, 8, 16}) {
                const double d = double(a.Row(y)[x] >> shift & 0xFF) - double(b.Row(y)[x] >> shift & 0xFF);
                sum += d * d;
            }
    const double mse = sum / (3.0 * a.GetWidth() * a.GetHeight());
    return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

// The host's output buffer as an ARGB picture, opaque where it has no
// transparency plane.
inline void HostOutputPicture(const HostBuffers& host, CDib& picture)
{
    picture.Create(host.width, host.height);
    for (int y = 0; y < host.height; ++y)
        for (int x = 0; x < host.width; ++x) {
            const uint8_t* p = host.OutPixel(x, y);
            picture.Row(y)[x] = HostBytesToArgb(p, host.planes >= 4 ? p[3] : 255u);
        }
}
