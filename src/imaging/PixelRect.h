// A rectangle of pixels: left and top inclusive, right and bottom exclusive.
#pragma once

#include <algorithm>
#include <cstdint>

struct PixelRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;

    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool IsEmpty() const { return right <= left || bottom <= top; }

    PixelRect Intersect(const PixelRect& o) const
    {
        return PixelRect{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                         std::min(bottom, o.bottom)};
    }
};
