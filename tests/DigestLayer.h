// The layer the render tests share: a soft-edged disc and a bar on a
// transparent RGBA layer, with colours that vary so the blend's rounding is
// exercised everywhere. `halfTransparentPatch` adds a patch of alpha 90, for
// tests that must see partly transparent object pixels on their own.
#pragma once

#include <cstdint>
#include <vector>

inline std::vector<uint8_t> MakeDigestLayer(int w, int h, bool halfTransparentPatch = false)
{
    std::vector<uint8_t> px(size_t(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &px[(size_t(y) * w + x) * 4];
            p[0] = static_cast<uint8_t>(x * 3);
            p[1] = static_cast<uint8_t>(y * 5);
            p[2] = static_cast<uint8_t>(x + y);
            const int dx = x - 60, dy = y - 45;
            const int d2 = dx * dx + dy * dy;
            int a = d2 < 22 * 22 ? 255 : d2 < 30 * 30 ? (30 * 30 - d2) * 255 / (30 * 30 - 22 * 22) : 0;
            if (x >= 40 && x < 80 && y >= 70 && y < 95)
                a = 255;
            if (halfTransparentPatch && x >= 85 && x < 100 && y >= 30 && y < 60)
                a = 90;
            p[3] = static_cast<uint8_t>(a);
        }
    return px;
}
