#include "ui/skin/FrameZones.h"

FrameHit FrameResizeHit(int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (x > w - 10 && y > h - 10)
        return kHitBottomRight;
    if (x < 6 && y < 6)
        return kHitTopLeft;
    if (x < 6 && y > h - 5)
        return kHitBottomLeft;
    if (x > w - 5 && y < 6)
        return kHitTopRight;
    if (x > w - 5)
        return kHitRight;
    if (x < 6)
        return kHitLeft;
    if (y > h - 5)
        return kHitBottom;
    if (y < 6)
        return kHitTop;
    return kHitNone;
}

FrameCursor FrameCursorAt(int32_t x, int32_t y, int32_t w, int32_t h, bool minimized)
{
    if (minimized)
        return kCursorArrow;
    if ((x > w - 10 && y > h - 10) || (x < 2 && y < 2))
        return kCursorSizeNWSE;
    if ((x > w - 2 && y < 4) || (x < 5 && y > h - 6))
        return kCursorSizeNESW;
    if (x > w - 5 || x < 4)
        return kCursorSizeWE;
    if (y > h - 5 || y < 2)
        return kCursorSizeNS;
    return kCursorArrow;
}
