// Comparing and printing PixelRect in the portable user-interface tests.
#pragma once

#include <ostream>

#include "imaging/PixelRect.h"

// Found by argument-dependent lookup, so beside PixelRect.
inline bool operator==(const PixelRect& a, const PixelRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const PixelRect& r)
{
    return out << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}
