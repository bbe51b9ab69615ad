// Interface styles and the border-ring tables of the skinned faces.
// Portable: no <windows.h>.
#pragma once

#include <cstdint>

// Face fills of PaintSkinFace. The user picks one of the three named styles;
// 1-8 and 10 are further gradients honoured when read from the store, and
// any other value draws no face at all.
enum SkinStyle : int32_t {
    kStyleFlat = 0,
    kStyleChrome = 9,
    kStyleAqua = 100,
};

// Face states, one ring-table row each.
enum SkinState : int32_t {
    kStateNormal = 0,
    kStateHot = 1,
    kStatePressed = 2,
};

// Six offsets per state: outer ring top-left/bottom-right (r0, r1), middle
// ring (r2, r3), inner ring (r4, r5). A ring whose first offset is 0 or 666
// is not drawn.
struct RingRow {
    int32_t r[6];
};

struct RingTable {
    RingRow rows[3];
};

inline bool RingIsDrawn(int32_t firstOffset) { return firstOffset != 0 && firstOffset != 666; }

// The table every face uses unless a control swaps in its own for one paint.
constexpr RingTable kDefaultRingTable{{
    {{-16, -16, -64, -64, 0, 0}},
    {{-16, -16, -48, -48, 0, 0}},
    {{-64, 48, -128, -128, 0, 0}},
}};

// The colour button's swatch: a sunken outer ring and a dark outline that
// turns black under the mouse.
constexpr RingTable kColorButtonRingTable{{
    {{-64, 48, -128, -128, 0, 0}},
    {{-64, 48, -255, -255, 0, 0}},
    {{-64, 48, -255, -255, 0, 0}},
}};

// The slider thumb: one raised outer ring, the face filling the rest.
constexpr RingTable kThumbRingTable{{
    {{-48, 64, 0, 0, 0, 0}},
    {{-48, 64, 0, 0, 0, 0}},
    {{-48, 64, 0, 0, 0, 0}},
}};
