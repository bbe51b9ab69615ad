// The system colour chooser, as the dialogs use it: fully open, starting at
// the given colour. The sixteen custom colours the user mixes are kept for
// as long as the module stays loaded.
#pragma once

#include <windows.h>

// True with `color` set to the choice; false (and `color` untouched) when
// the user cancels. `owner` may be null or stale; it is checked.
bool ChooseColorDialog(HWND owner, COLORREF& color);
