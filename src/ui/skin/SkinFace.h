// PaintSkinFace: the face painter of caption bars, buttons and slider
// thumbs, in the active style, with the active ring table.
#pragma once

#include <windows.h>

// Fills the face of `rect` in `color` and draws its border rings. `state` is
// clamped to Normal (0) .. Pressed (2); `hot` (0.0 .. 1.0) blends the Normal
// ring offsets toward the Hot ones and matters only in the Hot state.
// `line` is the ring width in device pixels (CDpiScale::Line()).
void PaintSkinFace(HDC dc, const RECT& rect, COLORREF color, int state, double hot, int line = 1);
