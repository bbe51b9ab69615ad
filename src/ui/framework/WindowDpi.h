// The density of the display a window is on, asked the way the running
// system can answer: per monitor where it knows monitors of different
// densities (GetDpiForWindow, Windows 10; GetDpiForMonitor, Windows 8.1),
// otherwise the system's one density (the screen's LOGPIXELSX), and 96
// where even that is missing. The calls are looked up at run time, so the
// module still loads on systems that lack them.
#pragma once

#include <windows.h>

#include "ui/skin/DpiScale.h"

// Dots per inch for `window`; a null window asks for the system's density.
int WindowDpi(HWND window);
CDpiScale WindowScale(HWND window);

// The message a per-monitor aware window gets when it moves to a display of
// another density (WM_DPICHANGED, not in every SDK's headers).
const UINT kWmDpiChanged = 0x02E0;
// Sent to each child after its parent's WM_DPICHANGED has been handled.
const UINT kWmDpiChangedAfterParent = 0x02E3;
