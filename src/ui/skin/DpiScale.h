// Pixel sizes at the display's density. Every fixed size of the skin and
// its controls is written for 96 dots per inch (100 %) and passes through
// Px() on its way to the screen, so a dialog on a 200 % display keeps its
// proportions instead of shrinking to specks. Portable: no <windows.h>.
#pragma once

#include <cstdint>

const int32_t kBaseDpi = 96;

class CDpiScale {
public:
    // A density below 1 (a system that reported none) counts as 96.
    explicit CDpiScale(int32_t dpi = kBaseDpi) : m_nDpi(dpi >= 1 ? dpi : kBaseDpi) {}

    int32_t Dpi() const { return m_nDpi; }
    bool IsBase() const { return m_nDpi == kBaseDpi; }

    // A 96-DPI size at this density, rounded half away from zero. A size of
    // at least 1 stays at least 1: a one-pixel line never vanishes.
    int32_t Px(int32_t size96) const;
    // A device size back in 96-DPI units (what the store keeps), rounded
    // the same way.
    int32_t To96(int32_t device) const;
    // Line widths (rings, bevels, the chevrons' pen): whole device pixels,
    // never 0, so borders stay crisp at 125 % and 150 %.
    int32_t Line(int32_t width96 = 1) const;

private:
    int32_t m_nDpi;
};

// `value` measured at `fromDpi` expressed at `toDpi` (a window moved to a
// display of another density), rounded half away from zero.
int32_t RescaleBetweenDpis(int32_t value, int32_t fromDpi, int32_t toDpi);
