// Which control of the main dialog holds which shadow value: the eleven
// sliders with their labels, where they sit and what a change of each one
// costs to show.
#pragma once

#include <cstddef>

#include "params/ShadowParams.h"

struct SliderBinding {
    int32_t ShadowParams::*field;
    int sliderId;
    int labelId;
    bool leftColumn;       // x = 12 in the template; the right column is at x = 95
    bool rebuildsTexture;  // blur and intensity change the texture, not only where it lies
};

// In template order, which is also the order the sliders are anchored in.
extern const SliderBinding kSliderBindings[11];
const size_t kSliderCount = 11;

// The binding of slider `sliderId`; null for any other control.
const SliderBinding* FindSliderBinding(int sliderId);
