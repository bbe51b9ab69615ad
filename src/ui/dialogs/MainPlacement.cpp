#include "ui/dialogs/MainPlacement.h"

#include <algorithm>

namespace {

// One axis of KeepOnScreen: the edges lo/hi moved inside [low, high) when
// the span fits, else onto `low`.
void FitAxis(int32_t& lo, int32_t& hi, int32_t low, int32_t high)
{
    if (hi > high) {
        lo -= hi - high;
        hi = high;
    }
    if (lo < low) {
        hi += low - lo;
        lo = low;
    }
}

}  // namespace

PixelRect PlaceMainDialog(const PixelRect& current, const StoredPlacement& stored, CDpiScale scale)
{
    if (stored.x >= 1) {
        const int32_t left = scale.Px(stored.x);
        const int32_t top = stored.y > 0 ? scale.Px(stored.y) : current.top;
        return PixelRect{left, top, left + scale.Px(stored.width), top + scale.Px(stored.height)};
    }
    const int32_t growX = (scale.Px(kMainDialogDefaultWidth) - (current.right - current.left)) / 2;
    const int32_t growY = (scale.Px(kMainDialogDefaultHeight) - (current.bottom - current.top)) / 2;
    PixelRect r{current.left - growX, current.top - growY, current.right + growX, current.bottom + growY};
    if (r.left < 0) {
        r.right -= r.left;
        r.left = 0;
    }
    if (r.top < 0) {
        r.bottom -= r.top;
        r.top = 0;
    }
    return r;
}

StoredPlacement StorablePlacement(const PixelRect& window, CDpiScale scale)
{
    return StoredPlacement{scale.To96(window.left), scale.To96(window.top), scale.To96(window.right - window.left),
                           scale.To96(window.bottom - window.top)};
}

PixelRect KeepOnScreen(const PixelRect& placed, int32_t minWidth, int32_t minHeight, const PixelRect& workArea)
{
    // A stored size from a larger screen, or one edited to nonsense, must
    // still give a window whose controls fit and whose edges can be reached.
    const int32_t areaWidth = workArea.right - workArea.left;
    const int32_t areaHeight = workArea.bottom - workArea.top;
    const int32_t width = std::max(minWidth, std::min(placed.right - placed.left, areaWidth));
    const int32_t height = std::max(minHeight, std::min(placed.bottom - placed.top, areaHeight));
    PixelRect r{placed.left, placed.top, placed.left + width, placed.top + height};
    FitAxis(r.left, r.right, workArea.left, workArea.right);
    FitAxis(r.top, r.bottom, workArea.top, workArea.bottom);
    return r;
}
