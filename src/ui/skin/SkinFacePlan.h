// What PaintSkinFace draws, worked out without a device context: the face
// rectangle, the colour of each of its rows, and the rings around it. The
// Windows painter only carries the plan out, so every rule of the faces can
// be checked on any platform. Portable: no <windows.h>.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/PixelRect.h"
#include "ui/skin/SkinStyle.h"

struct SkinRing {
    PixelRect rect;
    uint32_t topLeft;
    uint32_t bottomRight;
};

struct SkinFacePlan {
    PixelRect face{0, 0, 0, 0};
    bool hasFill = false;            // false: the style draws no face
    std::vector<uint32_t> rowColors; // one per face row, top first
    SkinRing rings[3];               // outer, middle, inner
    bool ringDrawn[3] = {false, false, false};
    int32_t line = 1;                // width of each ring in device pixels
};

// Clamps a state to Normal..Pressed.
int32_t ClampSkinState(int32_t state);

// How far the face lies inside the rectangle: 3, less one per missing ring
// counted from the inside out (only a 0 offset counts as missing here).
int32_t SkinFaceInset(const RingRow& row);

// Row colours of a face `height` rows high in `style` and colour `color`;
// false when the style has no face fill. `line` is the ring width, which
// the Aqua face's glossy top and bottom rows follow.
bool SkinFaceRows(int32_t style, uint32_t color, int32_t height, std::vector<uint32_t>& rows, int32_t line = 1);

// The offsets of a Hot face `hot` of the way from Normal to Hot.
RingRow BlendRingRows(const RingRow& normal, const RingRow& hotRow, double hot);

// `line` is the width of each ring (1 at 96 DPI, more on dense displays):
// the rings and the face inset grow with it.
SkinFacePlan PlanSkinFace(const RingTable& table, int32_t style, uint32_t ringBase, const PixelRect& rect,
                          uint32_t color, int32_t state, double hot, int32_t line = 1);
