// Double to signed 32-bit, truncating toward zero.
#pragma once

#include <cstdint>

// Values outside the 32-bit range (a node projected far off screen, a span
// end beyond any frame) saturate instead of being undefined behaviour; NaN
// gives INT32_MIN. Inside the range this is the plain truncating conversion.
inline int32_t TruncToInt(double v)
{
    if (!(v > -2147483649.0))
        return INT32_MIN;
    if (v >= 2147483648.0)
        return INT32_MAX;
    return static_cast<int32_t>(v);
}
