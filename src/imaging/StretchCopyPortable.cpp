// The no-filter stretch copy for builds without GDI.
#include <cstdint>
#include <cstring>
#include <vector>

#include "imaging/Dib.h"
#include "imaging/StretchCopy.h"

void StretchCopy(const CDib& src, const PixelRect& rcSrc, CDib& dest, const PixelRect& rcDest)
{
    const int sw = rcSrc.right - rcSrc.left;
    const int sh = rcSrc.bottom - rcSrc.top;
    const int dw = rcDest.right - rcDest.left;
    const int dh = rcDest.bottom - rcDest.top;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0)
        return;
    if (sw == dw && sh == dh) {
        // Rows may overlap when both rectangles are in one buffer: walk them
        // in the direction that reads each row before it is overwritten.
        const bool upwards = &src == &dest && rcDest.top > rcSrc.top;
        for (int i = 0; i < dh; ++i) {
            const int y = upwards ? dh - 1 - i : i;
            std::memmove(dest.Row(rcDest.top + y) + rcDest.left, src.Row(rcSrc.top + y) + rcSrc.left,
                         static_cast<size_t>(dw) * sizeof(ARGB));
        }
        return;
    }
    // Nearest neighbour for a change of size, which this system never asks
    // for. The source is taken aside first in case both rectangles share a
    // buffer.
    std::vector<ARGB> from(static_cast<size_t>(sw) * static_cast<size_t>(sh));
    for (int y = 0; y < sh; ++y)
        std::memcpy(&from[static_cast<size_t>(y) * sw], src.Row(rcSrc.top + y) + rcSrc.left,
                    static_cast<size_t>(sw) * sizeof(ARGB));
    for (int y = 0; y < dh; ++y) {
        const ARGB* s = &from[static_cast<size_t>(static_cast<int64_t>(y) * sh / dh) * sw];
        ARGB* d = dest.Row(rcDest.top + y) + rcDest.left;
        for (int x = 0; x < dw; ++x)
            d[x] = s[static_cast<int64_t>(x) * sw / dw];
    }
}
