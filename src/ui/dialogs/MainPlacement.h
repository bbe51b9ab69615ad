// Where the main dialog opens: the placement stored when it last closed, or
// its default size of 905 x 560 pixels (at 96 DPI) grown about where it was
// created, and in either case on screen. The store keeps 96-DPI units, so a
// placement saved on one display comes back at the same size relative to
// its text on a display of another density. Portable: no <windows.h>.
#pragma once

#include <cstdint>

#include "imaging/PixelRect.h"
#include "ui/skin/DpiScale.h"

// The store's "X", "Y", "Width" and "Height" as read, each with its default
// ("X" and "Y" -9999; the size the window has), in 96-DPI units.
struct StoredPlacement {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

const int32_t kMainDialogDefaultWidth = 905;
const int32_t kMainDialogDefaultHeight = 560;

// The window rectangle from the store, given the one the window was created
// with (device pixels at `scale`): an "X" of at least 1 places the window
// there ("Y" only when above 0, else the current top); anything else grows
// or shrinks the current rectangle on both sides to the default size and
// moves it right and down until neither edge is negative.
PixelRect PlaceMainDialog(const PixelRect& current, const StoredPlacement& stored, CDpiScale scale = CDpiScale());

// The window rectangle `window` (device pixels at `scale`) as the store
// keeps it.
StoredPlacement StorablePlacement(const PixelRect& window, CDpiScale scale);

// `placed` made usable on the screen whose work area is given: never
// smaller than the minimum size, no larger than the work area (unless the
// minimum is), and moved inside the work area as far as it fits.
PixelRect KeepOnScreen(const PixelRect& placed, int32_t minWidth, int32_t minHeight, const PixelRect& workArea);
