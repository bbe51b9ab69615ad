// The looks the window tests paint in: an interface style and the user's
// window and control colours (0x00BBGGRR).
#pragma once

#include <windows.h>

#include <cstdint>

struct SkinLook {
    const char* name;
    int32_t style;
    COLORREF window;
    COLORREF control;
};

// "Slate and amber": a dark window colour of the user's, whose labels must
// turn light to read.
const COLORREF kSlateWindow = 0x00584C44;
const COLORREF kAmberControl = 0x0030A0F0;
