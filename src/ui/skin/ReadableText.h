// The colour of text drawn straight on a skin face. The skin derives it
// from the face with its one colour arithmetic (a fixed shift of all three
// channels); on some faces that shift lands too close to the face to read,
// and the text takes the nearest shift that reads well instead.
//
// "Reads well" is the WCAG 2 measure: the contrast ratio of the two
// colours' relative luminances, at least 4.5:1. Worked out in integers
// from a table, so every build decides alike. Portable: no <windows.h>.
#pragma once

#include <cstdint>

// Relative luminance of a 0x00BBGGRR colour in units of 1e-11 (0 for black,
// 100 000 000 000 for white).
int64_t RelativeLuminance(uint32_t color);

// (lighter + 0.05) / (darker + 0.05), from 1 (the same luminance) to 21.
double ContrastRatio(uint32_t a, uint32_t b);

// Whether text of colour `text` reads well on `face`: a contrast ratio that
// shows as at least 4.50:1 when printed to two decimals, as contrast
// checkers print it. (The skin's own grey label on its default grey face
// measures 4.496:1.)
bool ReadsWell(uint32_t text, uint32_t face);

// ShiftColor(face, delta) when that reads well on `face`; otherwise
// ShiftColor(face, d) for the d nearest to `delta` that does, the darker
// one when two are as near. The shifts run out at black and white, one of
// which always reads well, so there is always an answer.
uint32_t ReadableTextColor(uint32_t face, int32_t delta);
