// The one colour arithmetic of the skin: every lighter or darker shade of the
// window and control colours is made by shifting all three channels alike.
//
// Colours are 0x00BBGGRR values (a Windows COLORREF); the top byte is ignored
// on input and zero on output. Portable: no <windows.h>.
#pragma once

#include <cstdint>

// Adds `delta` to red, green and blue, each clamped to 0..255.
inline uint32_t ShiftColor(uint32_t color, int32_t delta)
{
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        // 64-bit sum: a delta read from the registry may be anything.
        int64_t channel = static_cast<int64_t>((color >> shift) & 0xFF) + delta;
        if (channel < 0)
            channel = 0;
        if (channel > 255)
            channel = 255;
        result |= static_cast<uint32_t>(channel) << shift;
    }
    return result;
}

// Channel access for 0x00BBGGRR values.
inline uint32_t RedOf(uint32_t color) { return color & 0xFF; }
inline uint32_t GreenOf(uint32_t color) { return (color >> 8) & 0xFF; }
inline uint32_t BlueOf(uint32_t color) { return (color >> 16) & 0xFF; }
inline uint32_t MakeColor(uint32_t red, uint32_t green, uint32_t blue) { return red | green << 8 | blue << 16; }
