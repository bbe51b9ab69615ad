// Where a press or the cursor is on a skinned frame: the caption drags, the
// edges and corners of a resizable frame size it. The press zones and the
// cursor zones differ on purpose (a 6 x 6 press corner shows its diagonal
// cursor only on the outer 2 x 2). Portable: no <windows.h>.
#pragma once

#include <cstdint>

#include "ui/skin/DpiScale.h"

// Hit codes as the system's non-client hit test uses them.
enum FrameHit : int32_t {
    kHitNone = 0,
    kHitCaption = 2,
    kHitLeft = 10,
    kHitRight = 11,
    kHitTop = 12,
    kHitTopLeft = 13,
    kHitTopRight = 14,
    kHitBottom = 15,
    kHitBottomLeft = 16,
    kHitBottomRight = 17,
};

enum FrameCursor : int32_t {
    kCursorArrow,
    kCursorSizeNWSE,
    kCursorSizeNESW,
    kCursorSizeWE,
    kCursorSizeNS,
};

// The resize zone under client point (x, y) of a client area W x H, first
// match of the zone table; kHitNone in the middle. The zones' depths are
// 96-DPI sizes that grow with `scale`, so an edge is as easy to grab on a
// dense display.
FrameHit FrameResizeHit(int32_t x, int32_t y, int32_t width, int32_t height, CDpiScale scale = CDpiScale());

// The cursor of a resizable frame at (x, y); always the arrow while rolled up.
FrameCursor FrameCursorAt(int32_t x, int32_t y, int32_t width, int32_t height, bool minimized,
                          CDpiScale scale = CDpiScale());
