// Colour rules of the skinned buttons. Colours are 0x00BBGGRR values.
// Portable: no <windows.h>.
#pragma once

#include <cstdint>

const uint32_t kWhite = 0x00FFFFFF;
const uint32_t kBlack = 0x00000000;

// White text on a dark face, black text otherwise: every channel must be
// below its own threshold for the face to count as dark.
uint32_t ButtonTextColorFor(uint32_t face);

// The face colour `step` fifths of the way from `face` to `hover`
// (0 = face, 5 = hover), per channel with integer division.
uint32_t ButtonFadeColor(uint32_t face, uint32_t hover, int32_t step);
