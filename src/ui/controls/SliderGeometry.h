// Geometry of the skinned slider: where the thumb sits, what a press at x
// steps by, and which value a thumb drag gives. Integer arithmetic,
// truncating. Portable: no <windows.h>.
#pragma once

#include <cstdint>

#include "imaging/PixelRect.h"

struct SliderMetrics {
    PixelRect client;   // the slider's client rectangle
    int32_t arrow;      // width of each arrow button
    int32_t thumb;      // thumb length
    int32_t min, max, pos, page;
    int32_t frame = 1;  // width of the sunken frame the arrows and thumb sit inside
};

// Empty (all zero) when min equals max: there is no thumb to show.
PixelRect SliderThumbRect(const SliderMetrics& m);

// The step a press at x asks for: -1 / +1 on the arrows, minus or plus the
// page size beside the thumb, 0 on the thumb, without a thumb, or with a
// page size of 0 beside it.
int32_t SliderStepAt(const SliderMetrics& m, int32_t x);

// The value under a thumb dragged to mouse x, the thumb centre held
// `dragOffset` pixels from the mouse.
int32_t SliderDragValue(const SliderMetrics& m, int32_t mouseX, int32_t dragOffset);
