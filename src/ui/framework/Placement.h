// Where a dialog appears: centred over its owner, or on the screen, and
// always within the work area of the monitor it lands on.
#pragma once

#include <windows.h>

// Centres `window` over `over` (a visible, not minimised window), else on
// the work area of the monitor nearest to it.
void CenterWindowOver(HWND window, HWND over);
