// Mode 9: the perspective-correct, bilinearly sampled textured quad.
//
// The quad is walked row by row down two chains of edges from its top
// corner; each row is a span whose 1/z, u/z and v/z are stepped linearly and
// divided back per pixel. Texels are blended over the frame with their own
// alpha and without a depth test, so later faces lie over earlier ones.
#pragma once

#include <cstdint>

#include "imaging/Argb.h"
#include "imaging/PixelRect.h"
#include "render/Records3D.h"

struct FrameTarget3D {
    ARGB* pixels;
    int32_t width;
    int32_t height;
    int32_t stride;  // pixels per row in memory
    // The rows drawn: a band of the frame, or all of it.
    int32_t firstRow = 0;
    int32_t endRow = INT32_MAX;
    // The frame pixel that `pixels` points at. A buffer that holds only the
    // part of the frame a shadow reaches (QuadReach) is drawn into with its
    // top-left corner here; positions, steps and clipping still follow the
    // whole frame, so every pixel comes out as in a full-size buffer.
    int32_t originX = 0;
    int32_t originY = 0;
    // The frame columns stored: pixels left of firstColumn (or of originX)
    // and from endColumn on are walked (the span's values step through
    // them) but not stored.
    int32_t firstColumn = 0;
    int32_t endColumn = INT32_MAX;
};

// What the rasteriser reads of a projected node.
struct QuadCorner3D {
    int32_t sx, sy;
    double depth;
    double u, v;
};

// One end of a span, or a running edge value: screen x and the quantities
// that are linear on screen (1/z, u'/z, v'/z, u' and v' in texels).
struct SpanEnd3D {
    double x, iz, uz, vz;
};

// corner[0] ... corner[3] in order around the quad. Corners running the
// other way round on screen draw nothing. A texture without pixels draws
// nothing.
void DrawTexturedQuad(const FrameTarget3D& frame, const QuadCorner3D* corner, const CTexture3D& texture);

// The pixels DrawTexturedQuad would draw into (before the near cut, which
// only ever drops some), as a rectangle of the frame, right and bottom
// exclusive; empty (left = right) when it draws none. The very walk that
// draws, without the drawing.
PixelRect QuadReach(const FrameTarget3D& frame, const QuadCorner3D* corner, const CTexture3D& texture);

// One row: pixels trunc(x + 0.5) of both ends, both included, clipped to the
// frame; the span ends at the first pixel nearer than depth 5.5.
void DrawTexturedSpan(const FrameTarget3D& frame, int32_t y, SpanEnd3D a, SpanEnd3D b, const CTexture3D& texture);

// The smallest 1/z that the near cut removes. A pixel is drawn exactly when
// 0 < iz < NearCutIz(): the rule trunc(1 / iz + 0.5) > 5 without a division
// per pixel.
double NearCutIz();
