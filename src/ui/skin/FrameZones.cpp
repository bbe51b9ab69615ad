#include "ui/skin/FrameZones.h"

FrameHit FrameResizeHit(int32_t x, int32_t y, int32_t w, int32_t h, CDpiScale scale)
{
    const int32_t corner = scale.Px(10);
    const int32_t near = scale.Px(6);
    const int32_t far = scale.Px(5);
    if (x > w - corner && y > h - corner)
        return kHitBottomRight;
    if (x < near && y < near)
        return kHitTopLeft;
    if (x < near && y > h - far)
        return kHitBottomLeft;
    if (x > w - far && y < near)
        return kHitTopRight;
    if (x > w - far)
        return kHitRight;
    if (x < near)
        return kHitLeft;
    if (y > h - far)
        return kHitBottom;
    if (y < near)
        return kHitTop;
    return kHitNone;
}

FrameCursor FrameCursorAt(int32_t x, int32_t y, int32_t w, int32_t h, bool minimized, CDpiScale scale)
{
    if (minimized)
        return kCursorArrow;
    const int32_t px2 = scale.Px(2);
    const int32_t px4 = scale.Px(4);
    const int32_t px5 = scale.Px(5);
    const int32_t px6 = scale.Px(6);
    const int32_t px10 = scale.Px(10);
    if ((x > w - px10 && y > h - px10) || (x < px2 && y < px2))
        return kCursorSizeNWSE;
    if ((x > w - px2 && y < px4) || (x < px5 && y > h - px6))
        return kCursorSizeNESW;
    if (x > w - px5 || x < px4)
        return kCursorSizeWE;
    if (y > h - px5 || y < px2)
        return kCursorSizeNS;
    return kCursorArrow;
}
