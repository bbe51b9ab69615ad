#include "ui/skin/DpiScale.h"

int32_t RescaleBetweenDpis(int32_t value, int32_t fromDpi, int32_t toDpi)
{
    if (fromDpi < 1 || toDpi < 1 || fromDpi == toDpi)
        return value;
    const int64_t product = static_cast<int64_t>(value) * toDpi;
    const int64_t half = fromDpi / 2;
    const int64_t rounded = product >= 0 ? (product + half) / fromDpi : -((-product + half) / fromDpi);
    return static_cast<int32_t>(rounded);
}

int32_t CDpiScale::Px(int32_t size96) const
{
    const int32_t scaled = RescaleBetweenDpis(size96, kBaseDpi, m_nDpi);
    if (size96 > 0 && scaled < 1)
        return 1;
    return scaled;
}

int32_t CDpiScale::To96(int32_t device) const { return RescaleBetweenDpis(device, m_nDpi, kBaseDpi); }

int32_t CDpiScale::Line(int32_t width96) const
{
    // Truncated rather than rounded: at 125 % a one-pixel ring stays one
    // pixel (1.25 would blur into two uneven ones), at 150 % it is still
    // one, at 200 % two.
    const int32_t scaled = static_cast<int32_t>(static_cast<int64_t>(width96) * m_nDpi / kBaseDpi);
    return scaled >= 1 ? scaled : 1;
}
