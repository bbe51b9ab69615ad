// The module's icons and cursors at the size a display's density asks for.
// The artwork script draws each picture at several sizes into one resource;
// asking for the scaled size lets the system pick the nearest drawing
// instead of stretching the 96-DPI one into a blur.
#pragma once

#include <windows.h>

#include "ui/skin/DpiScale.h"

// Icon resource `id`, `size96` pixels square at 96 DPI, at `scale`; null if
// it does not load. The caller destroys it.
HICON LoadScaledIcon(int id, int size96, CDpiScale scale);
// Icon resource `id` at its own size (the width of the first drawing in
// its group, the 96-DPI one), scaled; null if it does not load.
HICON LoadScaledIconAtOwnSize(int id, CDpiScale scale);
// Cursor resource `id` the same way (its hot spot scales with it).
HCURSOR LoadScaledCursor(int id, int size96, CDpiScale scale);
