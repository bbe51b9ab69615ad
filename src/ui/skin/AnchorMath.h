// The arithmetic of anchored controls: a corner follows a point given in
// percent of the client area and keeps the pixel distance it had from that
// point when it was registered. Integer arithmetic, multiplication first,
// division truncating. Portable: no <windows.h>.
#pragma once

#include <cstdint>

#include "imaging/PixelRect.h"

struct AnchorPoint {
    int32_t x;  // percent of the client width
    int32_t y;  // percent of the client height
    bool operator==(const AnchorPoint& o) const { return x == o.x && y == o.y; }
};

const AnchorPoint kAnchorTopLeft{0, 0};
const AnchorPoint kAnchorTopRight{100, 0};
const AnchorPoint kAnchorBottomLeft{0, 100};
const AnchorPoint kAnchorBottomRight{100, 100};
// Only as a bottom-right anchor: the same as the top-left one, so the control
// moves but keeps its size.
const AnchorPoint kNoAnchor{-1, -1};

struct AnchorLayout {
    AnchorPoint topLeft;
    AnchorPoint bottomRight;
    int32_t marginLeft, marginTop;      // from the top-left anchor point
    int32_t marginRight, marginBottom;  // from the bottom-right anchor point
};

// Records `rect` (client coordinates) against its anchors in a client area
// width x height.
AnchorLayout MakeAnchorLayout(const PixelRect& rect, AnchorPoint topLeft, AnchorPoint bottomRight, int32_t width,
                              int32_t height);

// Where the control goes in a client area width x height.
PixelRect AnchoredRect(const AnchorLayout& layout, int32_t width, int32_t height);

// The same layout after the dialog moved from a display of `fromDpi` to one
// of `toDpi`: the pixel distances kept from the anchor points grow or shrink
// with the density, the anchors stay.
AnchorLayout RescaleAnchorLayout(const AnchorLayout& layout, int32_t fromDpi, int32_t toDpi);
